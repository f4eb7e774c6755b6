#pragma once
// 3D Studio (.3ds) chunk tree into a RawMesh: the points, faces and texture vertices of every
// mesh object, one group per named object. Materials, lights, cameras, matrices, smoothing
// groups and the keyframer are skipped.

#include <cstdint>
#include <span>

#include "editor/io/raw_mesh.h"

namespace editor::io {

// Fails when the file is not a 3DS file, holds no points or no faces, exceeds a capacity, has
// a face corner outside its object's points, or holds a count its chunk does not.
Status Parse3ds(std::span<const uint8_t> bytes, RawMesh& mesh);

}  // namespace editor::io
