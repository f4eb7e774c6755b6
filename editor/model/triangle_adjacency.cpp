#include "editor/model/triangle_adjacency.h"

#include "editor/model/mesh_data.h"

namespace editor::model {

TriangleAdjacency::TriangleAdjacency(const MeshData& mesh)
    : around_(static_cast<std::size_t>(std::max(mesh.vertexCount, 0))) {
    const int count = mesh.TriangleCount();
    for (int t = 0; t < count; ++t) {
        int corners[3];
        mesh.GetTriangle(t, corners[0], corners[1], corners[2]);
        for (int k = 0; k < 3; ++k) {
            const int v = corners[k];
            if (v < 0 || v >= static_cast<int>(around_.size())) {
                continue;
            }
            std::vector<int>& list = around_[v];
            if (list.empty() || list.back() != t) {
                list.push_back(t);
            }
        }
    }
}

const std::vector<int>& TriangleAdjacency::TrianglesAt(int v) const {
    if (v < 0 || v >= static_cast<int>(around_.size())) {
        return none_;
    }
    return around_[v];
}

}  // namespace editor::model
