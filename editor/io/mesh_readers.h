#pragma once
// The readers of the import table. Each reads the whole file into memory, never trusts a count,
// length, offset or index from it, and returns 0 with a finished mesh in the target, or -1 with
// the target cleared (a file that cannot be opened may leave it as it was) and, when refusal is
// given, the reason in words for the user ("2117 vertices, more than 2048").

#include <string>
#include <vector>

#include "editor/model/forward.h"

namespace editor::io {

using namespace ::editor::model;

int ReadObj(MeshData& target, const std::string& path, std::string* refusal = nullptr);
int Read3ds(MeshData& target, const std::string& path, std::string* refusal = nullptr);

// The frame names of a Quake 2 model or FlexModel in file order (the list emptied first): the
// frame count, or -1 with an empty list when the file cannot be opened or read.
int ListMd2Frames(const std::string& path, std::vector<std::string>& names);
int ListFmFrames(const std::string& path, std::vector<std::string>& names);

// One frame (by exact, case-sensitive name; the first with an empty name) as a static mesh with
// the file's winding kept and the group "mesh" holding every triangle.
int ReadMd2Frame(MeshData& target, const std::string& path, const std::string& frameName,
                 std::string* refusal = nullptr);
int ReadFmFrame(MeshData& target, const std::string& path, const std::string& frameName,
                std::string* refusal = nullptr);

// The fixed test cube that stands in for AutoCAD files (the file is not read).
int MakeTestCube(MeshData& target);

}  // namespace editor::io
