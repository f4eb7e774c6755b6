#pragma once
// The normal-table index of every vertex of one posed frame.

#include <cstdint>

#include "editor/model/mesh_data.h"

namespace editor::flexexport {

using namespace ::editor::model;

// For vertex v, the sum of the unit normals (c - a) x (b - a) of the faces that have v as a
// corner, added in face order, normalised and quantized to the normal table; one pass over
// the faces. indices receives vertexCount entries (vertexCount at most MAX_MESH_ELEMENTS).
void VertexNormalIndices(const MeshData& mesh, int vertexCount, uint8_t* indices);

}  // namespace editor::flexexport
