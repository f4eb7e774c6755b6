#include "editor/skeleton/bone_stepping.h"

#include <gtest/gtest.h>

#include "tests/editor/skeleton/skeleton_fixture.h"

using namespace ::editor::skeleton;

namespace {
class BoneStepping : public SkeletonFixture {
  protected:
    void OnlyNodes(std::initializer_list<int> nodes) {
        uint32_t flags[NUM_MESH_NODES] = {};
        for (int node : nodes) {
            flags[node] = 1;
        }
        SetActiveNodes(*document_, flags);
    }
};
}  // namespace

TEST_F(BoneStepping, WalksOnlyListedBonesAndWraps) {
    StartUp();
    OnlyNodes({15, 14});                                    // head 26, 27; left leg 1, 2, 3
    EXPECT_EQ(StepEligibleBone(*document_, 27, true), 1);   // wraps past 36 to 0
    EXPECT_EQ(StepEligibleBone(*document_, 1, false), 27);  // wraps past 0 to 36
    EXPECT_EQ(StepEligibleBone(*document_, 3, true), 26);
    // Connecting bones (the torso chain) and anchors are skipped.
    EXPECT_FALSE(IsEligibleBone(*document_, 25));
    EXPECT_FALSE(IsEligibleBone(*document_, 37));
}

TEST_F(BoneStepping, OneEligibleBoneSelectsItselfAgain) {
    StartUp();
    OnlyNodes({11});  // left palm: bone 13 only
    EXPECT_EQ(StepEligibleBone(*document_, 13, true), 13);
    EXPECT_EQ(StepEligibleBone(*document_, 13, false), 13);
    // From a bone that is not eligible the walk still finds the eligible one.
    EXPECT_EQ(StepEligibleBone(*document_, 0, true), 13);
    OnlyNodes({0});  // torso: the anchors 28, 30, 35 are demoted
    EXPECT_EQ(StepEligibleBone(*document_, 25, true), 0);
    EXPECT_EQ(StepEligibleBone(*document_, 16, true), 25);
}
