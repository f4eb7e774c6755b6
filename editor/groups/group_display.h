#pragma once
// How the temporary group shows on the model: its faces blue, every other face in the model's
// base colour.

#include "editor/model/fixed_bit_sets.h"
#include "editor/model/forward.h"

namespace editor::groups {

using namespace ::editor::model;

// Calls visit(first, count) for each maximal run of consecutive set bits below limit, in
// ascending order.
template <class Visit>
void ForEachRun(const TriangleSet& set, int limit, Visit visit) {
    limit = limit < set.Size() ? limit : set.Size();
    int t = set.FindSetRun(0, 1);
    while (t >= 0 && t < limit) {
        int end = t + 1;
        while (end < limit && set.Test(end)) {
            ++end;
        }
        visit(t, end - t);
        t = end < limit ? set.FindSetRun(end, 1) : -1;
    }
}

// Colours the faces of set blue, one scene call per run; faces beyond the shape's are skipped.
// Nothing happens without a shape or while the part is hidden.
void HighlightTriangles(MeshPart& part, const TriangleSet& set);
// Gives the faces of set the base colour again: white while the part is shown, black otherwise.
void UnhighlightTriangles(MeshPart& part, const TriangleSet& set);
// Makes set the model's temporary group (when the model has a group table) and draws it: the
// whole model in its base colour and shading, then the group in blue. The caller re-renders.
void ShowTemporaryGroup(MeshPart& model, const TriangleSet& set);

}  // namespace editor::groups
