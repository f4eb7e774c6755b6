#pragma once
// The table a PackedVertex's normalIndex selects from.

#include <array>

namespace flexmodel {

constexpr int NUM_VERTEX_NORMALS = 162;

extern const std::array<std::array<float, 3>, NUM_VERTEX_NORMALS> VERTEX_NORMALS;

}  // namespace flexmodel
