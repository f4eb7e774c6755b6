#pragma once
// Saving a mesh as Wavefront OBJ text: texture coordinates normalised to the 256 x 256 skin
// and corners in reverse order, the inverse of what an import applies.

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

// The OBJ text of the mesh; objectName goes on the "o" line.
std::string FormatObj(const MeshData& mesh, const std::string& objectName);

// Writes the mesh to path (replacing an old file only once the new one is complete); 1 when
// the file was written, 0 when it could not be.
int WriteObj(const MeshData& mesh, const std::string& path);

// Asks for the path when none is given, takes the shape's geometry back into the mesh as `scene`
// shows it (moves and turns made in the scene are kept; null: the shape's own coordinates) and
// writes it. Only ".obj" can be saved. The written path, with the shape named
// "File object: " + path; cancelled when no path was given or chosen, otherwise failed with why.
// The path tried is stored in attemptedPath (when given) even when the save fails.
Result<std::string> ExportMesh(C3dShape& shape, const C3dFrame* scene, const std::string& path,
                               MeshData* mesh, Prompts* questions,
                               std::string* attemptedPath = nullptr);

}  // namespace editor::io
