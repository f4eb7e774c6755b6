#include "editor/model/connected_triangles.h"

#include <vector>

#include "editor/model/mesh_data.h"
#include "editor/model/triangle_adjacency.h"

namespace editor::model {

int CollectConnectedTriangles(const MeshData& mesh, TriangleSet& result, const TriangleSet& allowed,
                              int seedVertex, bool transitive) {
    result.ClearAll();
    const TriangleAdjacency adjacency(mesh);
    std::vector<bool> reached(static_cast<std::size_t>(std::max(mesh.vertexCount, 0)), false);
    std::vector<int> frontier{seedVertex};
    int added = 0;
    while (!frontier.empty()) {
        const int v = frontier.back();
        frontier.pop_back();
        for (int t : adjacency.TrianglesAt(v)) {
            if (!allowed.Test(t) || result.Test(t)) {
                continue;
            }
            result.SetBit(t);
            ++added;
            if (!transitive) {
                continue;
            }
            int corners[3];
            mesh.GetTriangle(t, corners[0], corners[1], corners[2]);
            for (int corner : corners) {
                if (corner >= 0 && corner < static_cast<int>(reached.size()) && !reached[corner]) {
                    reached[corner] = true;
                    frontier.push_back(corner);
                }
            }
        }
    }
    return added;
}

}  // namespace editor::model
