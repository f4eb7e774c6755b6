#include "editor/groups/bone_membership.h"

#include "editor/model/model_document.h"

namespace editor::groups {

namespace {

int CountShared(const TriangleSet& a, const TriangleSet& b) {
    TriangleSet shared = a;
    shared.And(b);
    return shared.Count();
}

}  // namespace

MembershipChange AddToBone(ModelDocument& document, int bone, const TriangleSet& triangles) {
    MembershipChange change;
    for (int other = 0; other < NUM_BONES; ++other) {
        if (other != bone) {
            TriangleSet& bound = document.bones[other].boundTriangles;
            change.takenFromOthers += CountShared(bound, triangles);
            bound.AndNot(triangles);
        }
    }
    TriangleSet& bound = document.bones[bone].boundTriangles;
    change.changed = triangles.Count() - CountShared(bound, triangles);
    bound.Or(triangles);
    change.nowBound = bound.Count();
    return change;
}

MembershipChange RemoveFromBone(ModelDocument& document, int bone, const TriangleSet& triangles) {
    MembershipChange change;
    TriangleSet& bound = document.bones[bone].boundTriangles;
    change.changed = CountShared(bound, triangles);
    bound.AndNot(triangles);
    change.nowBound = bound.Count();
    return change;
}

}  // namespace editor::groups
