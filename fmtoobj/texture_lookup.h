#pragma once
// Finds the "st coord" record a drawing-command vertex's (s, t) stands for: the first record
// whose texel column and row equal s x 256 and t x 256 rounded, compared as 16-bit values.
// An index of the records replaces the search from the start for every corner, with the same
// results.

#include <cstdint>
#include <optional>
#include <span>
#include <unordered_map>

#include "flexmodel/records.h"

namespace fmtoobj {

using namespace ::flexmodel;

// The texel number a command's fraction rounds to, as the 16-bit value it is compared as;
// nothing for values no texel can have (not finite or beyond the int range).
std::optional<int16_t> TexelOf(float fraction);

class TextureLookup {
  public:
    explicit TextureLookup(std::span<const StCoord> stCoords);

    // Index of the matching record, or -1.
    int Find(float s, float t) const;

  private:
    std::unordered_map<uint32_t, int> firstIndex_;
};

// The straightforward search the index must agree with.
int FindTextureVertexLinear(std::span<const StCoord> stCoords, float s, float t);

}  // namespace fmtoobj
