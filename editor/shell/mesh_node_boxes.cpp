#include "editor/shell/ui.h"

namespace editor::shell {

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

}  // namespace editor::shell
