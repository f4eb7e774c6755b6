#pragma once
// Packing one posed frame: the packed space that spans its vertices, the vertex bytes, and the
// reference points stored as floats in the same space.

#include <cstdint>
#include <string_view>

#include "bytes/byte_writer.h"
#include "editor/export/reference_points.h"
#include "editor/model/mesh_data.h"
#include "flexmodel/packed_space.h"

namespace editor::flexexport {

using namespace ::bytes;
using namespace ::editor::model;
using namespace ::flexmodel;

// Appends the frame (scale, translate, name cut to 15 characters, then one PackedVertex per
// vertex with its normal index) and returns its packed space.
PackedSpace PackFrame(const MeshData& mesh, int vertexCount, const uint8_t* normalIndices,
                      std::string_view name, ByteWriter& out);
// Replaces every point by its stored form in the space, in place.
void PackReferencePoints(const PackedSpace& space, ReferencePoints& points);

}  // namespace editor::flexexport
