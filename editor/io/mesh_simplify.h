#pragma once
// Making a heavy mesh lighter with meshoptimizer: edges collapse where the surface changes
// least, texture seams and open borders are kept, and every vertex that stays keeps its place
// and its texture coordinates.

#include <cstddef>

#include "editor/io/imported_model.h"
#include "editor/model/forward.h"

namespace editor::io {

using namespace ::editor::model;

// Collapses edges until at most targetTriangles are left (fewer when the surface allows no
// exact count). The skin weights follow the vertices that stay.
void SimplifyModel(ImportedModel& model, std::size_t targetTriangles);

// Whether the model's stored counts (vertices, texture vertices, triangles) fit the capacity.
bool FitsCapacity(const ImportedModel& model, std::size_t capacity);

// Simplifies until every stored count fits the capacity, aiming a little under it; false when
// the surface cannot be brought that low (the model is then as light as it got).
bool SimplifyToFit(ImportedModel& model, std::size_t capacity);

// The editor's mesh as a model to simplify: one vertex per corner pair of position and texture
// coordinates.
ImportedModel ModelOfMesh(const MeshData& mesh);

}  // namespace editor::io
