#include "editor/groups/weight_bindings.h"

#include <array>

#include "editor/model/mesh_data.h"
#include "editor/model/skeleton_tables.h"

namespace editor::groups {

using namespace ::editor::model;

int BindByWeights(const MeshData& mesh, const VertexBoneWeights& weights, BoneBindings& bindings) {
    for (TriangleSet& set : bindings) {
        set.ClearRange(0, set.Size());
    }
    int bound = 0;
    int corners[3] = {0, 0, 0};
    for (int t = 0; mesh.GetTriangle(t, corners[0], corners[1], corners[2]); ++t) {
        std::array<double, NUM_BONES> held{};
        for (int corner : corners) {
            if (corner < 0 || static_cast<std::size_t>(corner) >= weights.size()) {
                continue;
            }
            for (const BoneWeight& w : weights[static_cast<std::size_t>(corner)]) {
                if (w.bone >= 0 && w.bone < NUM_BONES) {
                    held[static_cast<std::size_t>(w.bone)] += w.weight;
                }
            }
        }
        int heaviest = -1;
        for (int b = 0; b < NUM_BONES; ++b) {
            if (held[static_cast<std::size_t>(b)] > 0.0 &&
                (heaviest < 0 ||
                 held[static_cast<std::size_t>(b)] > held[static_cast<std::size_t>(heaviest)])) {
                heaviest = b;
            }
        }
        if (heaviest >= 0) {
            bindings[static_cast<std::size_t>(heaviest)].SetBit(t);
            ++bound;
        }
    }
    return bound;
}

}  // namespace editor::groups
