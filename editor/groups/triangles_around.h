#pragma once
// Growing a triangle set by what touches its corners.

#include "editor/model/fixed_bit_sets.h"
#include "editor/model/forward.h"

namespace editor::groups {

using namespace ::editor::model;

// Vertices closer than this to a corner of the group count as touching it.
inline constexpr double NEAR_NEIGHBOUR_TOLERANCE = 0.1;

// The corners of the triangles of set.
VertexSet CornersOf(const MeshData& mesh, const TriangleSet& set);
// Every triangle with a corner in vertices.
TriangleSet TrianglesWithCorners(const MeshData& mesh, const VertexSet& vertices);
// Every triangle with a corner closer than the tolerance to a corner of set (set included).
TriangleSet NearNeighbours(const MeshData& mesh, const TriangleSet& set);

}  // namespace editor::groups
