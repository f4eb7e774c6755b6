#pragma once
// How the temporary group shows on the model: its faces blue, every other face in the model's
// base colour.

#include "editor/model/fixed_bit_sets.h"
#include "editor/model/forward.h"

namespace editor::groups {

using namespace ::editor::model;

// Colours the faces of set blue, one scene call per run; faces beyond the shape's are skipped.
// Nothing happens without a shape or while the part is hidden.
void HighlightTriangles(MeshPart& part, const TriangleSet& set);
// Gives the faces of set the base colour again: white while the part is shown, black otherwise.
void UnhighlightTriangles(MeshPart& part, const TriangleSet& set);
// Makes set the model's temporary group (when the model has a group table) and draws it: the
// whole model in its base colour and shading, then the group in blue. The caller re-renders.
void ShowTemporaryGroup(MeshPart& model, const TriangleSet& set);

}  // namespace editor::groups
