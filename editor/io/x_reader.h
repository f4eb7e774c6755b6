#pragma once

#include <string>

#include "editor/model/forward.h"
#include "scene/forward.h"

namespace editor::io {

using namespace ::scene;
using namespace ::editor::model;

// Loads the first mesh of a DirectX (.x) file: its positions and triangles as the file holds
// them (no scene transform), the file's winding kept; texture coordinates are not taken. Each
// texture the file names is loaded as a picture when it can be and handed to the shape, which
// owns it. 0 on success with the shape drawing the mesh; -1 (target cleared) when the file
// cannot be loaded or its mesh does not fit.
int ReadXFile(C3dShape& shape, MeshData& target, const std::string& path);

}  // namespace editor::io
