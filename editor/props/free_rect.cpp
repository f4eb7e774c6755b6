#include "editor/props/free_rect.h"

#include <array>
#include <cstdint>

#include "editor/props/texel_scan.h"

namespace editor::props {

namespace {

// Rows and columns a rectangle may use: all but the last.
constexpr int USABLE = SKIN_SIDE - 1;

using ClearHeights = std::array<std::array<uint16_t, USABLE>, USABLE + 1>;

// heights[y][x]: how many clear texels run down column x from row y (within the usable rows),
// so a rectangle's rows need only one look per column instead of h.
void FillClearHeights(const TexelSet& texels, ClearHeights& heights) {
    heights[USABLE].fill(0);
    for (int y = USABLE - 1; y >= 0; --y) {
        for (int x = 0; x < USABLE; ++x) {
            heights[y][x] = texels.Test(y * SKIN_SIDE + x) ? 0 : heights[y + 1][x] + 1;
        }
    }
}

}  // namespace

bool FindFreeRect(const TexelSet& texels, int w, int h, TexelRect& found) {
    if (w < 1 || h < 1 || w > USABLE || h > USABLE) {
        return false;
    }
    static thread_local ClearHeights heights;
    FillClearHeights(texels, heights);
    for (int y = 0; y + h <= USABLE; ++y) {
        int run = 0;
        for (int x = 0; x < USABLE; ++x) {
            run = heights[y][x] >= h ? run + 1 : 0;
            if (run == w) {
                found = {x - w + 1, y};
                return true;
            }
        }
    }
    return false;
}

}  // namespace editor::props
