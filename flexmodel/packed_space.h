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

    FlexPoint DecodeVertex(const PackedVertex& vertex) const;
    FlexPoint DecodePoint(const FlexPoint& stored) const;
    // (world - translate) / scale + 0.5 per axis; an axis of scale 0 stores 0.5.
    FlexPoint EncodePoint(const FlexPoint& world) const;
};

}  // namespace flexmodel
