#include "fmtoobj/texture_lookup.h"

#include <cmath>
#include <optional>

namespace fmtoobj {

namespace {

uint32_t Key(int16_t s, int16_t t) {
    return static_cast<uint32_t>(static_cast<uint16_t>(s)) << 16 | static_cast<uint16_t>(t);
}

}  // namespace

std::optional<int16_t> TexelOf(float fraction) {
    double texel = std::trunc(static_cast<double>(fraction * 256.0f) + 0.5);
    if (!std::isfinite(texel) || texel < INT32_MIN || texel > INT32_MAX) {
        return std::nullopt;
    }
    return static_cast<int16_t>(static_cast<int32_t>(texel));
}

TextureLookup::TextureLookup(std::span<const StCoord> stCoords) {
    firstIndex_.reserve(stCoords.size());
    for (std::size_t i = 0; i < stCoords.size(); ++i) {
        firstIndex_.try_emplace(Key(stCoords[i].s, stCoords[i].t), static_cast<int>(i));
    }
}

int TextureLookup::Find(float s, float t) const {
    auto column = TexelOf(s);
    auto row = TexelOf(t);
    if (!column || !row) {
        return -1;
    }
    auto found = firstIndex_.find(Key(*column, *row));
    return found == firstIndex_.end() ? -1 : found->second;
}

int FindTextureVertexLinear(std::span<const StCoord> stCoords, float s, float t) {
    auto column = TexelOf(s);
    auto row = TexelOf(t);
    for (std::size_t i = 0; column && row && i < stCoords.size(); ++i) {
        if (stCoords[i].s == *column && stCoords[i].t == *row) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

}  // namespace fmtoobj
