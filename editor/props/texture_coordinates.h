#pragma once

#include "editor/model/forward.h"

namespace editor::props {

using namespace ::editor::model;

// A point of the 256 x 256 skin in texels (u = column, v = row).
struct TexelPoint {
    double u = 0.0;
    double v = 0.0;
};

// The smallest and largest u and v over the mesh's texture vertices. The search starts from
// min (255, 255) and max (0, 0), which a mesh without texture vertices gets back unchanged.
void TextureBounds(const MeshData& mesh, TexelPoint& min, TexelPoint& max);

// Moves every texture vertex by whole texels. Refused (0, nothing changed) when the smallest u
// or v would become negative; 1 otherwise.
int TranslateTexture(MeshData& mesh, int du, int dv);

// Scales every texture vertex about (ox, oy): c' = (c - o) x s + o. Refused (0, nothing
// changed) unless the result stays inside the skin: new min at least 0 and new max below 256.
int ScaleTexture(MeshData& mesh, double sx, double sy, double ox, double oy);

// Turns the skin area by 90 degrees (swap u and v, flip the new u): u' = maxV - v, clamped at
// 0, and v' = u, where maxV is the largest v.
void RotateTexture(MeshData& mesh);

}  // namespace editor::props
