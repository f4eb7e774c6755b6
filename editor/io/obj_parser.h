#pragma once
// Wavefront OBJ text into a RawMesh: vertices, texture vertices, per-vertex normals, the first
// three corners of each face, and "g" groups.

#include <cstdint>
#include <span>

#include "editor/io/raw_mesh.h"

namespace editor::io {

// Fails when the file holds more vertices, texture vertices or faces than a mesh can take
// ("2117 vertices, more than 2048"), or names more groups than a table holds ("line 12: more
// than 128 groups"); the reason is worded for the user. Syntax errors are never reported:
// unparsable numbers read as 0 and missing face corners as index 0.
Status ParseObj(std::span<const uint8_t> text, RawMesh& mesh);

}  // namespace editor::io
