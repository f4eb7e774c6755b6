#pragma once
// The vertex assignment of generation as a plain walk over every triangle, edge and bone: the
// reference the fast version must match.

#include "editor/model/fixed_bit_sets.h"
#include "editor/model/skeleton_tables.h"

#include "editor/model/forward.h"

using namespace ::editor::model;

struct ReferenceOwnership {
    int result = 0;
    TriangleSet highlight;
    VertexSet vertices[NUM_BONES];
    int statusLines = 0;
};

// Reads the model's mesh and the bones' bound triangles; changes nothing.
void AssignBoneVerticesReference(const ModelDocument& document, ReferenceOwnership& out);
