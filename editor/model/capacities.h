#pragma once
// The document's hard capacities, checked wherever data enters it. A mesh holds what a
// FlexModel can carry, so that every model the editor holds can be exported.

#include "flexmodel/records.h"

namespace editor::model {

// Vertices, texture vertices and triangles of one mesh.
constexpr int MAX_MESH_ELEMENTS = ::flexmodel::FLEX_MAX_ELEMENTS;
// Named triangle groups of one mesh.
constexpr int MAX_TRIANGLE_GROUPS = 128;
// Props merged into the model.
constexpr int MAX_MERGED_PROPS = 16;

}  // namespace editor::model
