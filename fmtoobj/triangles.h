#pragma once
// The triangles a strip or fan command draws, corners in the order the OBJ face lists them.

#include <array>
#include <vector>

#include "fmtoobj/frame_model.h"

namespace fmtoobj {

using Triangle = std::array<GlVertex, 3>;

// Fan P0..P(m-1): for k = 2..m-1 the triangle P(k), P(k-1), P0. Strip: for k = 0..m-3 the
// triangle P(k+2), P(k+1), P(k) when k is even, P(k), P(k+1), P(k+2) when odd, so that every
// face keeps the winding of the first. Fewer than 3 vertices draw nothing.
std::vector<Triangle> TrianglesOf(const GlCommand& command);

}  // namespace fmtoobj
