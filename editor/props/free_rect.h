#pragma once

#include "editor/model/fixed_bit_sets.h"

namespace editor::props {

using namespace ::editor::model;

// Where a free rectangle of the texel map starts.
struct TexelRect {
    int x = 0;
    int y = 0;
};

// First fit of a clear w x h rectangle in the 256 x 256 texel map: rows top-down, then columns
// left to right. A rectangle never touches column 255 or row 255. False when none fits (or a
// side is not positive).
bool FindFreeRect(const TexelSet& texels, int w, int h, TexelRect& found);

}  // namespace editor::props
