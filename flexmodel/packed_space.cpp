#include "flexmodel/packed_space.h"

namespace flexmodel {

FlexPoint PackedSpace::DecodeVertex(const PackedVertex& vertex) const {
    const uint8_t bytes[3] = {vertex.x, vertex.y, vertex.z};
    FlexPoint world;
    for (int axis = 0; axis < 3; ++axis) {
        world[axis] = bytes[axis] * scale[axis] + translate[axis];
    }
    return world;
}

FlexPoint PackedSpace::DecodePoint(const FlexPoint& stored) const {
    FlexPoint world;
    for (int axis = 0; axis < 3; ++axis) {
        world[axis] = translate[axis] + scale[axis] * stored[axis];
    }
    return world;
}

FlexPoint PackedSpace::EncodePoint(const FlexPoint& world) const {
    FlexPoint stored;
    for (int axis = 0; axis < 3; ++axis) {
        float offset = scale[axis] != 0.0f ? (world[axis] - translate[axis]) / scale[axis] : 0.0f;
        stored[axis] = offset + 0.5f;
    }
    return stored;
}

}  // namespace flexmodel
