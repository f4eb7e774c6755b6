#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "scene/color.h"

#include "scene/forward.h"

namespace platform {

using namespace ::scene;

// An image's pixels as tightly packed RGBA rows, bottom row first, the way OpenGL takes
// texture rows. Texels of the transparent colour (when given) get alpha 0 so the renderer can
// leave them out. Empty for an empty image.
std::vector<uint8_t> ImageToRgba(const C3dImage& image,
                                 std::optional<C3dColor> transparent = std::nullopt);

}  // namespace platform
