#pragma once
// A frame's packed space: per axis, a coordinate is translate + scale x stored value.
// Vertices store bytes; skeleton and reference points store floats biased by +0.5, and the
// bias is deliberately not taken off again when they are read back.

#include <array>
#include <cstdint>

#include "flexmodel/records.h"

namespace flexmodel {

using FlexPoint = std::array<float, 3>;

struct PackedSpace {
    FlexPoint scale{1.0f, 1.0f, 1.0f};
    FlexPoint translate{};

    static PackedSpace Of(const FrameHeader& frame) { return {frame.scale, frame.translate}; }
    // The space whose bytes 0 and 255 fall on low and high: translate low, scale
    // (high - low) / 255, per axis.
    static PackedSpace Spanning(const std::array<double, 3>& low,
                                const std::array<double, 3>& high);

    FlexPoint DecodeVertex(const PackedVertex& vertex) const;
    // The byte of one vertex coordinate: (value - translate) / scale + 0.5 truncated; 0 on an
    // axis of scale 0, and never outside 0..255.
    uint8_t EncodeCoordinate(int axis, double value) const;
    FlexPoint DecodePoint(const FlexPoint& stored) const;
    // (world - translate) / scale + 0.5 per axis; an axis of scale 0 stores 0.5, which decodes to
    // translate like every other finite value there.
    FlexPoint EncodePoint(const FlexPoint& world) const;
};

}  // namespace flexmodel
