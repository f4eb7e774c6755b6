#include "editor/groups/flood_fill_triangles.h"

#include "editor/model/connected_triangles.h"

namespace editor::groups {

using namespace ::editor::model;

int FloodFillTriangles(const MeshData& mesh, int seedVertex, const TriangleSet& allowed,
                       TriangleSet& result) {
    // The connected set does not depend on the order in which corners are visited, so one
    // walk over a vertex-to-triangle table gives what repeated passes over all vertices would.
    return CollectConnectedTriangles(mesh, result, allowed, seedVertex, true);
}

}  // namespace editor::groups
