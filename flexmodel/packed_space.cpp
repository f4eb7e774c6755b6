#include "flexmodel/packed_space.h"

#include <cmath>

namespace flexmodel {

PackedSpace PackedSpace::Spanning(const std::array<double, 3>& low,
                                  const std::array<double, 3>& high) {
    PackedSpace space;
    for (int axis = 0; axis < 3; ++axis) {
        space.translate[axis] = static_cast<float>(low[axis]);
        space.scale[axis] = static_cast<float>((high[axis] - low[axis]) / 255.0);
    }
    return space;
}

uint8_t PackedSpace::EncodeCoordinate(int axis, double value) const {
    if (scale[axis] == 0.0f) {
        return 0;
    }
    const double stored = (value - translate[axis]) / scale[axis] + 0.5;
    // Also false for NaN.
    if (!(stored >= 0.0)) {
        return 0;
    }
    return stored >= 255.0 ? 255 : static_cast<uint8_t>(stored);
}

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
