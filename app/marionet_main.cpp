#include "app/marionet_main.h"

#include <charconv>

#include "editor/shell/batch_runner.h"
#include "editor/shell/motion_capture_conversion.h"
#include "editor/shell/version.h"

namespace app {

using namespace ::editor::shell;

namespace {

CommandLine Failure(std::string error) {
    CommandLine commandLine;
    commandLine.mode = CommandLine::Mode::Error;
    commandLine.error = std::move(error);
    return commandLine;
}

// --import-mocap CLIP OUT.spz [--fps N] [--name BASE] [--take NAME] [--root-motion]
CommandLine ParseImportMocap(const std::vector<std::string>& arguments) {
    CommandLine commandLine;
    commandLine.mode = CommandLine::Mode::ImportMocap;
    std::vector<std::string> files;
    for (size_t i = 1; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--fps" || argument == "--name" || argument == "--take") {
            if (i + 1 >= arguments.size()) {
                return Failure(argument + " needs a value");
            }
            const std::string& value = arguments[++i];
            if (argument == "--name") {
                commandLine.baseName = value;
                continue;
            }
            if (argument == "--take") {
                commandLine.take = value;
                continue;
            }
            double rate = 0.0;
            auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), rate);
            if (error != std::errc() || end != value.data() + value.size() || !(rate > 0.0) ||
                rate > 1000.0) {
                return Failure("--fps takes a rate above 0 and at most 1000, not '" + value + "'");
            }
            commandLine.framesPerSecond = rate;
        } else if (argument == "--root-motion") {
            commandLine.keepRootMotion = true;
        } else if (argument.size() > 1 && argument[0] == '-') {
            return Failure("unknown option '" + argument + "' for --import-mocap");
        } else {
            files.push_back(argument);
        }
    }
    if (files.size() != 2 || files[0].empty() || files[1].empty()) {
        return Failure(
            "--import-mocap takes a clip (.bvh, or an animated .fbx, .gltf, .dae, ...) and a pose "
            "file (.spz)");
    }
    commandLine.clipPath = files[0];
    commandLine.posePath = files[1];
    return commandLine;
}

// Converts with the player's default proportions; exit status 0 only after a complete file.
int ImportMocap(const CommandLine& commandLine, std::ostream& out, std::ostream& err) {
    MotionCaptureChoice choice;
    choice.framesPerSecond = commandLine.framesPerSecond;
    choice.baseName = commandLine.baseName;
    choice.keepRootMotion = commandLine.keepRootMotion;
    choice.take = commandLine.take;
    const bytes::Result<size_t> poses = ConvertMotionCaptureFile(
        commandLine.clipPath, commandLine.posePath, choice, nullptr, false);
    if (!poses) {
        err << "Marionet: " << poses.Reason() << "\n";
        return 1;
    }
    out << "Converted '" << commandLine.clipPath << "' into " << *poses << " poses in "
        << commandLine.posePath << ".\n";
    return 0;
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
    CommandLine commandLine;
    if (arguments.empty()) {
        return commandLine;
    }
    const std::string& option = arguments[0];
    if ((option == "--help" || option == "-h") && arguments.size() == 1) {
        commandLine.mode = CommandLine::Mode::Help;
    } else if (option == "--version" && arguments.size() == 1) {
        commandLine.mode = CommandLine::Mode::Version;
    } else if (option == "--batch" && arguments.size() == 2 && !arguments[1].empty()) {
        commandLine.mode = CommandLine::Mode::Batch;
        commandLine.scriptPath = arguments[1];
    } else if (option == "--import-mocap") {
        return ParseImportMocap(arguments);
    } else if (!option.empty() && option[0] != '-' && arguments.size() == 1) {
        commandLine.openPath = option;
    } else if (option == "--batch") {
        commandLine.mode = CommandLine::Mode::Error;
        commandLine.error = "--batch takes one script file";
    } else {
        commandLine.mode = CommandLine::Mode::Error;
        commandLine.error = "unknown option '" + option + "'";
        if (arguments.size() > 1 && (option == "--help" || option == "--version")) {
            commandLine.error = option + " takes nothing more";
        } else if (!option.empty() && option[0] != '-') {
            commandLine.error =
                "the window opens one file, not " + std::to_string(arguments.size());
        }
    }
    return commandLine;
}

std::string UsageText() {
    return "Usage: Marionet [FILE | --batch FILE | --import-mocap CLIP OUT.spz [OPTIONS] |\n"
           "                --help | --version]\n"
           "\n"
           "Without options Marionet opens its window; FILE is loaded there: a mesh (.fm,\n"
           "  .obj, .3ds, .md2, .x, or any format assimp reads: .fbx, .gltf, .glb, .dae,\n"
           "  .iqm, .blend, ...) as the model, a pose file (.spz), bone lengths (.bnz),\n"
           "  bindings (.bnd) or an orientation (.ori) as the File menu loads them.\n"
           "  --batch FILE  run the script FILE without a window and print what the editor\n"
           "                says, one line each (see \"Batch scripts\" in the README)\n"
           "  --import-mocap CLIP OUT.spz\n"
           "                convert a motion-capture clip (BVH, or an animated FBX, glTF,\n"
           "                Collada, ... file) to a pose file for the player\n"
           "                skeleton at its default proportions; OPTIONS are\n"
           "    --fps N        poses per second of the clip (default 10)\n"
           "    --name BASE    pose names BASE1, BASE2, ... (default: the clip's file name)\n"
           "    --take NAME    the animation of a file that holds several (default: the\n"
           "                   first)\n"
           "    --root-motion  keep the hips' horizontal path (default: in place)\n"
           "  --help        show this text\n"
           "  --version     show the version\n";
}

int RunMarionet(const CommandLine& commandLine, std::ostream& out, std::ostream& err,
                const WindowLayer& windowLayer) {
    switch (commandLine.mode) {
        case CommandLine::Mode::Help:
            out << UsageText();
            return 0;
        case CommandLine::Mode::Version:
            out << "Marionet " << MarionetVersion() << "\n";
            return 0;
        case CommandLine::Mode::Batch: {
            BatchRunner runner(out, err);
            runner.SetSnapshot(windowLayer.snapshot);
            return runner.RunFile(commandLine.scriptPath);
        }
        case CommandLine::Mode::ImportMocap:
            return ImportMocap(commandLine, out, err);
        case CommandLine::Mode::Error:
            err << "Marionet: " << commandLine.error << "\n\n" << UsageText();
            return 1;
        case CommandLine::Mode::Window:
            break;
    }
    if (!windowLayer.window) {
        err << "Marionet: this build has no window; use --batch FILE.\n";
        return 1;
    }
    return windowLayer.window(commandLine.openPath);
}

}  // namespace app
