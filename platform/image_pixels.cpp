#include "platform/image_pixels.h"

#include <cmath>

#include "scene/image.h"

namespace platform {

using namespace ::scene;

namespace {

uint8_t ToByte(float component) {
    return static_cast<uint8_t>(std::lround(std::fmin(std::fmax(component, 0.0f), 1.0f) * 255.0f));
}

struct Rgb {
    uint8_t r, g, b;
};

Rgb PixelAt(const C3dImage& image, const uint8_t* row, int x) {
    if (image.GetDepth() == 8) {
        const PaletteEntry* palette = image.GetPalette();
        const PaletteEntry entry = palette ? palette[row[x]] : PaletteEntry{};
        return {entry.red, entry.green, entry.blue};
    }
    const uint8_t* bgr = row + 3 * x;
    return {bgr[2], bgr[1], bgr[0]};
}

}  // namespace

std::vector<uint8_t> ImageToRgba(const C3dImage& image, std::optional<C3dColor> transparent) {
    std::vector<uint8_t> rgba;
    const int width = image.GetWidth();
    const int height = image.GetHeight();
    if (image.IsEmpty() || width <= 0 || height <= 0 ||
        (image.GetDepth() != 8 && image.GetDepth() != 24)) {
        return rgba;
    }
    std::optional<Rgb> key;
    if (transparent) {
        key = Rgb{ToByte(transparent->r), ToByte(transparent->g), ToByte(transparent->b)};
    }
    rgba.reserve(static_cast<size_t>(width) * height * 4);
    for (int y = height - 1; y >= 0; --y) {
        const uint8_t* row = image.Row(y);
        for (int x = 0; x < width; ++x) {
            const Rgb p = PixelAt(image, row, x);
            const bool clear = key && p.r == key->r && p.g == key->g && p.b == key->b;
            rgba.insert(rgba.end(), {p.r, p.g, p.b, static_cast<uint8_t>(clear ? 0 : 255)});
        }
    }
    return rgba;
}

}  // namespace platform
