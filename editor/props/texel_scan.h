#pragma once

#include "editor/model/fixed_bit_sets.h"
#include "editor/props/texture_coordinates.h"

#include "editor/model/forward.h"

namespace editor::props {

using namespace ::editor::model;

constexpr int SKIN_SIDE = 256;

// Sets the texels of the 256 x 256 map that the texture triangle (a, b, c) covers. Corners are
// rounded to whole texels first; rows and columns outside the skin are skipped, never wrapped
// into a neighbouring row.
void FillTexelTriangle(TexelSet& texels, TexelPoint a, TexelPoint b, TexelPoint c);

// Scales every texture triangle of the mesh about origin ((p - origin) x scale + origin) and
// fills it into texels. Triangles naming a texture vertex the mesh does not have are skipped.
void MarkTexels(TexelSet& texels, const MeshData& mesh, TexelPoint origin, double scale);

}  // namespace editor::props
