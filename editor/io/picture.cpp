#include "editor/io/picture.h"

#include <algorithm>

namespace editor::io {

void ReverseRows(std::vector<uint8_t>& rows, int32_t pitch, int32_t height) {
    for (int32_t top = 0, bottom = height - 1; top < bottom; ++top, --bottom) {
        std::swap_ranges(rows.begin() + static_cast<std::ptrdiff_t>(top) * pitch,
                         rows.begin() + static_cast<std::ptrdiff_t>(top + 1) * pitch,
                         rows.begin() + static_cast<std::ptrdiff_t>(bottom) * pitch);
    }
}

}  // namespace editor::io
