#pragma once

#include "editor/model/fixed_bit_sets.h"

namespace editor::model {

class MeshData;

// Collects into result (cleared first) the allowed triangles around the seed vertex; with
// transitive, also every allowed triangle reached from those through shared corners. Returns
// the number of triangles collected.
int CollectConnectedTriangles(const MeshData& mesh, TriangleSet& result, const TriangleSet& allowed,
                              int seedVertex, bool transitive);

}  // namespace editor::model
