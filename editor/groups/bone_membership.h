#pragma once

#include "editor/model/fixed_bit_sets.h"

#include "editor/model/forward.h"

namespace editor::groups {

using namespace ::editor::model;

// What mending one bone's bindings did: triangles that changed hands, the ones of them taken
// from other bones, and how many the bone holds now.
struct MembershipChange {
    int changed = 0;
    int takenFromOthers = 0;
    int nowBound = 0;
};

// The triangles join `bone` and leave every other bone, so that each stays bound once.
MembershipChange AddToBone(ModelDocument& document, int bone, const TriangleSet& triangles);
// The triangles leave `bone`; the other bones keep theirs.
MembershipChange RemoveFromBone(ModelDocument& document, int bone, const TriangleSet& triangles);

}  // namespace editor::groups
