#!/usr/bin/env python3
"""Fails when an #include goes against the libraries' layer order or reaches a window header,
or when a library below the shell shows the user a message.

Libraries depend one way: each may include only itself and the libraries listed for it below.
Only platform/ (with its tests and benchmarks) includes Qt, OpenGL, SDL or X11, only the mesh
and clip readers named below include assimp, only the simplifier meshoptimizer, and only the
.m8 palette quantiser libimagequant. Tests, benchmarks and
fuzzers sit on top of every library and are checked for the headers only.

Usage: scripts/check-layers.py [REPOSITORY]   (default: the repository this script is in)
"""

import os
import re
import subprocess
import sys

# Library -> the libraries its files may include besides the bottom ones. Lower layers first.
LAYERS = {
    "flexmodel": set(),
    "scene": set(),
    "scene/input": {"scene"},
    # The questions every editor library may ask; it needs nothing but the standard library.
    "editor/prompts": set(),
    # The undo history keeps states as bytes and knows nothing of what they hold.
    "editor/history": set(),
    "fmtoobj": {"flexmodel"},
    "editor/model": {"scene", "flexmodel"},
    "editor/io": {"editor/model", "scene", "flexmodel"},
    "editor/skeleton": {"editor/model", "scene", "flexmodel"},
    # Model bindings place the skeleton's bones.
    "editor/groups": {"editor/model", "editor/skeleton", "scene", "flexmodel"},
    # Motion capture poses the skeleton.
    "editor/mocap": {"editor/model", "editor/skeleton", "scene", "flexmodel"},
    "editor/props": {"editor/model", "editor/io", "editor/groups", "scene", "flexmodel"},
    # Generation binds the mesh to the posed skeleton; its failures highlight a group.
    "editor/generate": {"editor/model", "editor/skeleton", "editor/groups", "scene", "flexmodel"},
    # The export poses the generated model once per frame.
    "editor/export": {
        "editor/model", "editor/skeleton", "editor/groups", "editor/generate", "scene", "flexmodel",
    },
    # Cloned hands change mesh, bindings, groups and the closed hands' bones.
    "editor/hands": {"editor/model", "editor/skeleton", "editor/groups", "scene", "flexmodel"},
    "editor/shell": {
        "editor/history", "editor/model", "editor/io", "editor/skeleton", "editor/groups", "editor/props",
        "editor/mocap", "editor/generate", "editor/export", "editor/hands", "scene", "scene/input",
        "flexmodel",
    },
    # The window reaches the editor through its shell only.
    "platform": {"editor/shell", "scene", "scene/input"},
    "app": {"editor/shell", "platform"},
}

# Standard-library-only leaves below everything (the byte and whole-file readers): they include
# no other library, and every library may include them.
BOTTOM = ("bytes",)
for _library in LAYERS:
    LAYERS[_library] |= set(BOTTOM)
# Every editor library, the window and the program may ask through the prompts.
for _library in LAYERS:
    if (_library.startswith("editor/") and _library != "editor/prompts") or _library in ("platform", "app"):
        LAYERS[_library].add("editor/prompts")
LAYERS.update({bottom: set() for bottom in BOTTOM})

# Folders of files that use the libraries without being one.
ON_TOP = ("tests", "bench", "fuzz")

# (file, included library) pairs let through for now. Each says why and until when.
EXCEPTIONS: set[tuple[str, str]] = set()

# Only these places may include window-system or GPU headers; "platform" covers its own tests
# (tests/platform) and benchmarks (platform/bench).
WINDOW_HEADER = re.compile(r"^(Q[A-Za-z0-9_]*(/|\.h$|$)|GL/|GLES|EGL/|KHR/|OpenGL/|SDL|X11/)")
WINDOW_HOMES = ("platform/", "tests/platform/")
ASSIMP_HEADER = re.compile(r"^assimp/")
# The readers behind which assimp stays: the .x reader, the reader of every other mesh format and
# the reader of animated scene files.
ASSIMP_HOMES = (
    "editor/io/x_reader.cpp", "editor/io/assimp_model_reader.cpp", "editor/mocap/assimp_clip.cpp",
)
MESHOPTIMIZER_HEADER = re.compile(r"^meshoptimizer\.h$")
MESHOPTIMIZER_HOMES = ("editor/io/mesh_simplify.cpp",)
IMAGEQUANT_HEADER = re.compile(r"^libimagequant\.h$")
IMAGEQUANT_HOMES = ("editor/io/palette_quantiser.cpp",)

# Only these show the user a message box or a status line; the libraries below return outcomes
# (bytes/result.h) and ask through editor/prompts, whose ReportProgress is the one status line a
# library may give, for the steps of long work.
MESSAGE_HOMES = ("editor/shell/", "platform/", "app/")
MESSAGE_CALL = re.compile(
    r"(\.|->|\bvirtual\s+void\s+)\s*(ShowMessage|SetStatus|SetStatusText|Message|Status)\s*\(")
SOURCE_SUFFIXES = (".h", ".hpp", ".cpp", ".cc", ".inl")
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]', re.MULTILINE)


def library_of(path):
    """The library a repository path belongs to: the longest matching folder, or None."""
    best = None
    for library in LAYERS:
        if path.startswith(library + "/") and (best is None or len(library) > len(best)):
            best = library
    return best


def source_files(root):
    """Tracked and new (not ignored) source files; a plain walk where there is no git."""
    try:
        listing = subprocess.run(
            ["git", "-C", root, "ls-files", "--cached", "--others", "--exclude-standard"],
            check=True, capture_output=True, text=True).stdout.split("\n")
        files = [f for f in listing if f]
    except (OSError, subprocess.CalledProcessError):
        files = []
        for folder, subfolders, names in os.walk(root):
            relative = os.path.relpath(folder, root)
            subfolders[:] = [d for d in subfolders
                             if not d.startswith(".") and not (relative == "." and d.startswith("build"))]
            files += [os.path.normpath(os.path.join(relative, n)) for n in names]
    return sorted(f for f in files
                  if f.endswith(SOURCE_SUFFIXES) and os.path.isfile(os.path.join(root, f)))


def resolve(root, including_file, header, quoted):
    """The repository path an include names: beside the including file, else from the root."""
    if quoted:
        beside = os.path.normpath(os.path.join(os.path.dirname(including_file), header))
        if os.path.isfile(os.path.join(root, beside)):
            return beside
    return os.path.normpath(header)


def check_file(root, path, folder, used_exceptions):
    """The messages for one file; folder is its library, or one of ON_TOP."""
    problems = []
    with open(os.path.join(root, path), encoding="utf-8", errors="replace") as source:
        text = source.read()
    if folder not in ON_TOP and not path.startswith(MESSAGE_HOMES):
        for number, line_text in enumerate(text.split("\n"), start=1):
            code = line_text.split("//", 1)[0]
            if MESSAGE_CALL.search(code):
                problems.append(f"{path}:{number}: shows the user a message; only the shell does "
                                "(return a bytes::Result or Status, or report a step of work "
                                "through Prompts::ReportProgress)")
    for match in INCLUDE.finditer(text):
        quoted, header = match.group(1) == '"', match.group(2)
        line = text.count("\n", 0, match.start()) + 1
        closing = '"' if quoted else ">"
        where = f"{path}:{line}: #include {match.group(1)}{header}{closing}"
        if WINDOW_HEADER.match(header) and not path.startswith(WINDOW_HOMES):
            problems.append(f"{where}: window/GPU headers (Qt, OpenGL, SDL, X11) belong in "
                            "platform/ only")
        if ASSIMP_HEADER.match(header) and path not in ASSIMP_HOMES:
            problems.append(f"{where}: assimp is used by {', '.join(ASSIMP_HOMES)} only")
        if MESHOPTIMIZER_HEADER.match(header) and path not in MESHOPTIMIZER_HOMES:
            problems.append(f"{where}: meshoptimizer is used by editor/io/mesh_simplify.cpp only")
        if IMAGEQUANT_HEADER.match(header) and path not in IMAGEQUANT_HOMES:
            problems.append(f"{where}: libimagequant is used by "
                            "editor/io/palette_quantiser.cpp only")
        if folder in ON_TOP:
            continue
        target = library_of(resolve(root, path, header, quoted))
        if (path, target) in EXCEPTIONS:
            used_exceptions.add((path, target))
            continue
        if target is None or target == folder:
            continue
        if target not in LAYERS[folder]:
            allowed = ", ".join(sorted(LAYERS[folder])) or "no other library"
            problems.append(f"{where}: {folder} may not include {target} (it may include: "
                            f"{allowed}); move the code down a layer or pass the data in")
    return problems


def layer_cycle():
    """A cycle in LAYERS as a list of libraries, or None."""
    state = {}

    def visit(library, trail):
        state[library] = "open"
        for lower in sorted(LAYERS[library]):
            if state.get(lower) == "open":
                return trail + [library, lower]
            if lower not in state:
                found = visit(lower, trail + [library])
                if found:
                    return found
        state[library] = "done"
        return None

    for library in LAYERS:
        if library not in state:
            found = visit(library, [])
            if found:
                return found
    return None


def main():
    root = os.path.abspath(sys.argv[1] if len(sys.argv) > 1
                           else os.path.join(os.path.dirname(__file__), ".."))
    cycle = layer_cycle()
    if cycle:
        print("check-layers: the layer table has a cycle: " + " -> ".join(cycle), file=sys.stderr)
        return 1
    problems = []
    used_exceptions = set()
    files = source_files(root)
    for path in files:
        top = path.split("/", 1)[0]
        folder = top if top in ON_TOP else library_of(path)
        if folder is None:
            if "/" in path:
                problems.append(f"{path}: its folder has no place in the layer order; add the "
                                "library to LAYERS in scripts/check-layers.py")
            continue
        problems += check_file(root, path, folder, used_exceptions)
    for path, target in sorted(EXCEPTIONS - used_exceptions):
        print(f"check-layers: note: the exception for {path} -> {target} is no longer needed",
              file=sys.stderr)
    if problems:
        print("check-layers: the layer rules are broken:", file=sys.stderr)
        for problem in problems:
            print("  " + problem, file=sys.stderr)
        return 1
    print(f"check-layers: the includes of {len(files)} files follow the layer order")
    return 0


if __name__ == "__main__":
    sys.exit(main())
