#pragma once
// The import dispatcher: every mesh enters the editor through ImportMesh.

#include <string>

#include "bytes/result.h"
#include "editor/model/forward.h"
#include "editor/prompts/prompts.h"
#include "scene/forward.h"

namespace editor::io {

using namespace ::bytes;
using namespace ::editor::prompts;

using namespace ::scene;
using namespace ::editor::model;

struct ImportReport;

// Imports the file at path (an empty path asks for one) into target with the reader its
// extension selects, finishes the mesh and makes shape draw it, named "File object: " + path.
// Quake-family files ask which frame to load. Returns the path; cancelled when no path was
// given or chosen; otherwise refused with the reason, worded for the user (empty when the reader
// gave none: the caller then discards the shape and reports "Unable to load mesh."). The path
// tried, given or chosen, is stored in attemptedPath (when given) even when the import fails.
// Files of other extensions go through assimp when it reads them; report (when given) then says
// what that did.
Result<std::string> ImportMesh(C3dShape& shape, MeshData& target, const std::string& path,
                               Prompts* questions, std::string* attemptedPath = nullptr,
                               ImportReport* report = nullptr);

inline constexpr const char* IMPORT_FAILED_MESSAGE = "Unable to load mesh.";
inline constexpr const char* FILE_OBJECT_PREFIX = "File object: ";

}  // namespace editor::io
