#include "editor/groups/bone_membership.h"

#include <gtest/gtest.h>

#include <memory>

#include "editor/model/model_document.h"

using namespace ::editor::groups;
using namespace ::editor::model;

TEST(BoneMembership, AddingTakesTrianglesFromOtherBonesAndRemovingLeavesTheRest) {
    auto document = std::make_unique<ModelDocument>();
    document->bones[1].boundTriangles.SetRange(0, 10);   // 0..9
    document->bones[2].boundTriangles.SetRange(10, 10);  // 10..19
    TriangleSet picked;
    picked.SetRange(8, 4);  // 8, 9 already on bone 1; 10, 11 on bone 2

    MembershipChange added = AddToBone(*document, 1, picked);
    EXPECT_EQ(added.changed, 2);
    EXPECT_EQ(added.takenFromOthers, 2);
    EXPECT_EQ(added.nowBound, 12);
    EXPECT_EQ(document->bones[2].boundTriangles.Count(), 8);
    EXPECT_FALSE(document->bones[2].boundTriangles.Test(10));
    // Again: nothing changes hands.
    added = AddToBone(*document, 1, picked);
    EXPECT_EQ(added.changed, 0);
    EXPECT_EQ(added.takenFromOthers, 0);
    EXPECT_EQ(added.nowBound, 12);

    TriangleSet some;
    some.SetRange(0, 3);
    some.SetBit(15);  // bound to bone 2, not to bone 1: stays there
    MembershipChange removed = RemoveFromBone(*document, 1, some);
    EXPECT_EQ(removed.changed, 3);
    EXPECT_EQ(removed.nowBound, 9);
    EXPECT_TRUE(document->bones[2].boundTriangles.Test(15));
    EXPECT_TRUE(document->bones[1].boundTriangles.Test(3));
}
