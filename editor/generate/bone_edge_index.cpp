#include "editor/generate/bone_edge_index.h"

#include <algorithm>

#include "editor/model/model_document.h"

namespace editor::generate {

using namespace ::editor::model;

namespace {

// Vertices that an edge of the model joins to themselves (a triangle with a repeated corner).
// Any triangle touching such a vertex has "both ends" of that edge as corners.
VertexSet LoopVertices(const MeshData& mesh) {
    VertexSet loops;
    int a = 0;
    int b = 0;
    int c = 0;
    for (int t = 0; mesh.GetTriangle(t, a, b, c); ++t) {
        if (a == b || a == c) {
            loops.SetBit(a);
        }
        if (b == c) {
            loops.SetBit(b);
        }
    }
    return loops;
}

}  // namespace

uint32_t BoneEdgeIndex::Key(int va, int vb) {
    const auto low = static_cast<uint32_t>(std::min(va, vb));
    const auto high = static_cast<uint32_t>(std::max(va, vb));
    return low * KEY_BASE + high;
}

BoneEdgeIndex::BoneEdgeIndex(const ModelDocument& document) {
    const MeshData& mesh = document.model.mesh;
    const VertexSet loops = LoopVertices(mesh);
    const int triangles = mesh.TriangleCount();
    for (int bone = 0; bone < NUM_BONES; ++bone) {
        const TriangleSet& bound = document.bones[bone].boundTriangles;
        std::vector<uint32_t>& keys = keys_[bone];
        bound.ForEachSet(
            [&](int t) {
                int corner[3];
                if (!mesh.GetTriangle(t, corner[0], corner[1], corner[2])) {
                    return;
                }
                for (int k = 0; k < 3; ++k) {
                    keys.push_back(Key(corner[k], corner[(k + 1) % 3]));
                    if (loops.Test(corner[k])) {
                        keys.push_back(Key(corner[k], corner[k]));
                    }
                }
            },
            triangles);
        std::sort(keys.begin(), keys.end());
        keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
    }
}

bool BoneEdgeIndex::HasEdge(int bone, int va, int vb) const {
    if (bone < 0 || bone >= NUM_BONES || va < 0 || vb < 0) {
        return false;
    }
    const std::vector<uint32_t>& keys = keys_[bone];
    return std::binary_search(keys.begin(), keys.end(), Key(va, vb));
}

}  // namespace editor::generate
