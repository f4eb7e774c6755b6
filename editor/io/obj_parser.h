#pragma once
// Wavefront OBJ text into a RawMesh: vertices, texture vertices, per-vertex normals, the first
// three corners of each face, and "g" groups.

#include <cstdint>
#include <span>

#include "editor/io/raw_mesh.h"

namespace editor::io {

// False when the file holds more vertices, texture vertices or faces than a mesh can take, or
// names more groups than a table holds; the mesh is then empty but for its refusal, which says
// so. Syntax errors are never reported: unparsable numbers read as 0 and missing face corners
// as index 0.
bool ParseObj(std::span<const uint8_t> text, RawMesh& mesh);

}  // namespace editor::io
