#pragma once

#include "editor/model/fixed_bit_sets.h"

#include "editor/model/forward.h"

namespace editor::groups {

using namespace ::editor::model;

// The allowed triangles connected to seedVertex through shared corners, transitively, into
// result (cleared first). Triangles that touch only at coincident but distinct vertices are not
// connected. Returns the number of triangles found.
int FloodFillTriangles(const MeshData& mesh, int seedVertex, const TriangleSet& allowed,
                       TriangleSet& result);

}  // namespace editor::groups
