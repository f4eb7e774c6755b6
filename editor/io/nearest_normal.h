#pragma once

namespace editor::io {

// Index of the vertex-normal table entry nearest to the normalised direction (x, y, z); the
// first entry wins ties, and a zero vector maps to entry 0.
int NearestVertexNormal(double x, double y, double z);

}  // namespace editor::io
