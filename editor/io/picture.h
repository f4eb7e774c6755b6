#pragma once
// A device-independent bitmap as the picture readers produce it: 8-bit with a palette or 24-bit
// blue-green-red, rows bottom-up, each row padded to a multiple of 4 bytes.

#include <array>
#include <cstdint>
#include <vector>

#include "scene/image.h"

namespace editor::io {

using namespace ::scene;

struct Picture {
    int32_t width = 0;
    int32_t height = 0;
    int32_t bitsPerPixel = 0;
    // 256 blue-green-red-zero quadruples; used by 8-bit pictures.
    std::array<uint8_t, 256 * 4> palette{};
    std::vector<uint8_t> rows;

    int32_t Pitch() const { return PitchOf(width, bitsPerPixel); }
    static int32_t PitchOf(int32_t width, int32_t bitsPerPixel) {
        return (width * (bitsPerPixel / 8) + 3) & ~3;
    }
};

// Pictures larger than this many pixels a side are refused by the readers.
constexpr int32_t MAX_PICTURE_SIDE = C3D_MAX_IMAGE_SIDE;

// Exchanges whole rows so that the first row becomes the last.
void ReverseRows(std::vector<uint8_t>& rows, int32_t pitch, int32_t height);

}  // namespace editor::io
