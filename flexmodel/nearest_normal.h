#pragma once
// Quantizing a direction to the normal table a PackedVertex's normalIndex selects from.

namespace flexmodel {

// Index of the vertex-normal table entry nearest (Euclidean distance) to the direction
// (x, y, z) once normalised and rounded to float; the first of equally near entries wins. A zero
// vector is compared as it is. Every export frame asks this once per vertex, so it looks only
// at the few entries that can be nearest to the direction's grid cell.
int NearestVertexNormal(double x, double y, double z);

}  // namespace flexmodel
