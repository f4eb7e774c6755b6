#pragma once
// One palette of at most 256 colours for several full-colour pictures at once, so that a
// picture and its smaller copies share it: libimagequant chooses the colours from all their
// pixels, and each pixel then takes the nearest of them.

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "bytes/status.h"

namespace editor::io {

using namespace ::bytes;

struct RgbPixels {
    int32_t width = 0;
    int32_t height = 0;
    // Red, green, blue per pixel, top row first.
    std::vector<uint8_t> rgb;
};

struct QuantisedPixels {
    // Red, green, blue per entry; entries past `colours` are black.
    std::array<uint8_t, 256 * 3> palette{};
    int colours = 0;
    // Per picture, in the order given: the palette index of each pixel.
    std::vector<std::vector<uint8_t>> indices;
};

// Fails OutOfMemory when the quantiser cannot be set up, BadData when it finds no palette
// (an empty picture among them).
Status QuantiseToOnePalette(std::span<const RgbPixels> pictures, QuantisedPixels& result);

}  // namespace editor::io
