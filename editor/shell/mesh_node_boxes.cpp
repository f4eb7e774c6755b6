#include "editor/model/skeleton_tables.h"
#include "editor/shell/ui.h"

namespace editor::shell {

using namespace ::editor::model;

static_assert(kMeshNodeCount == NUM_MESH_NODES);

std::array<bool, kMeshNodeCount - 1> MeshNodeBoxes(const MeshNodeFlags& nodes) {
    std::array<bool, kMeshNodeCount - 1> boxes{};
    boxes[0] = nodes[0] != 0 || nodes[1] != 0;
    for (int box = 1; box < kMeshNodeCount - 1; ++box) {
        boxes[box] = nodes[box + 1] != 0;
    }
    return boxes;
}

void ApplyMeshNodeBoxes(const std::array<bool, kMeshNodeCount - 1>& boxes, MeshNodeFlags& nodes) {
    nodes[0] = nodes[1] = boxes[0] ? 1 : 0;
    for (int box = 1; box < kMeshNodeCount - 1; ++box) {
        nodes[box + 1] = boxes[box] ? 1 : 0;
    }
}

MeshNodesRequest MeshNodesRequestFor(const MeshNodeFlags& nodes) {
    MeshNodesRequest request;
    request.nodes = nodes;
    for (int node = 0; node < kMeshNodeCount; ++node) {
        request.labels[node] = meshNodeBones[node].label;
    }
    return request;
}

}  // namespace editor::shell
