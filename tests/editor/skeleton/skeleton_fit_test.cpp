// Fitting the skeleton into standing box characters with their arms held in different ways,
// and refusing what is not a standing humanoid.
#include <gtest/gtest.h>

#include <cmath>

#include "editor/skeleton/skeleton_fit.h"
#include "tests/editor/skeleton/humanoid_mesh.h"

namespace {

JointPositions NoJoints() {
    JointPositions joints{};
    joints[28] = {0, 0, 1};  // a skeleton one unit tall, head above toes
    return joints;
}

double Distance(const Point3& a, const Point3& b) {
    return std::hypot(a.x - b.x, a.y - b.y, a.z - b.z);
}

enum Joint {
    LeftHip = 1,
    LeftKnee = 2,
    LeftAnkle = 3,
    LeftToes = 4,
    RightHip = 5,
    RightToes = 8,
    UpperBack = 10,
    LeftShoulder = 11,
    LeftElbow = 12,
    LeftWrist = 13,
    LeftFingertips = 14,
    Collar = 26,
    TopOfHead = 28,
};

}  // namespace

class ArmPoses : public ::testing::TestWithParam<HumanoidShape> {};

// The legs and the head whatever the arms do: joints inside the leg columns (|y| 1.5 .. 5.5, x
// -2 .. 2) in order from the hips down, toes at the front of the foot (x -8 .. 2) near the floor,
// the top of the head at the top of the head, left and right mirrored.
TEST_P(ArmPoses, LegsAndHeadLandInsideTheirParts) {
    const SkeletonFit fit = FitSkeleton(HumanoidTriangles(GetParam()), NoJoints());
    ASSERT_EQ(fit.failure, SkeletonFitFailure::None);
    const JointPositions& j = fit.joints;
    for (int hip : {LeftHip, RightHip}) {
        const double side = hip == LeftHip ? 1.0 : -1.0;
        EXPECT_GT(j[hip].z, j[hip + 1].z);
        EXPECT_GT(j[hip + 1].z, j[hip + 2].z);
        for (int leg : {hip, hip + 1, hip + 2}) {
            EXPECT_NEAR(j[leg].y * side, 3.5, 2.0) << leg;
            EXPECT_NEAR(j[leg].x, 0.0, 2.5) << leg;
        }
        EXPECT_LT(j[hip + 3].x, -5.0);
        EXPECT_LT(j[hip + 3].z, 2.5);
    }
    EXPECT_NEAR(j[TopOfHead].z, 61.0, 0.5);
    for (int left : {LeftHip, LeftKnee, LeftAnkle, LeftToes}) {
        EXPECT_NEAR(j[left].y, -j[left + 4].y, 0.3) << left;
        EXPECT_NEAR(j[left].z, j[left + 4].z, 0.3) << left;
    }
}

// The arm: fingertips at the end of the hand, elbow away from the shoulder, mirrored.
TEST_P(ArmPoses, ArmsFollowTheArmMirroredLeftAndRight) {
    const HumanoidShape shape = GetParam();
    const SkeletonFit fit = FitSkeleton(HumanoidTriangles(shape), NoJoints());
    ASSERT_EQ(fit.failure, SkeletonFitFailure::None);
    const JointPositions& j = fit.joints;
    EXPECT_LT(Distance(j[LeftFingertips], HumanoidLeftFingertip(shape)), 3.0);
    // The arm is straight: the elbow on its line, at about the skeleton's upper arm (0.39 of the
    // arm) from the shoulder, also where a hanging arm's top merges with the trunk.
    const Point3 root{0.0, 7.0, 48.0};
    const Point3 tip = HumanoidLeftFingertip(shape);
    const double along = ((j[LeftElbow].y - root.y) * (tip.y - root.y) +
                          (j[LeftElbow].z - root.z) * (tip.z - root.z)) /
                         Distance(tip, root);
    EXPECT_NEAR(along, 0.39 * Distance(tip, root), 2.0);
    EXPECT_LT(std::sqrt(std::pow(Distance(j[LeftElbow], root), 2) - along * along), 1.5);
    for (int left : {LeftShoulder, LeftElbow, LeftWrist, LeftFingertips}) {
        EXPECT_NEAR(j[left].x, j[left + 6].x, 0.3) << left;
        EXPECT_NEAR(j[left].y, -j[left + 6].y, 0.3) << left;
        EXPECT_NEAR(j[left].z, j[left + 6].z, 0.3) << left;
    }
}

INSTANTIATE_TEST_SUITE_P(Humanoids, ArmPoses,
                         ::testing::Values(HumanoidShape{.armDrop = 0.0},
                                           HumanoidShape{.armDrop = 45.0},
                                           HumanoidShape{.armDrop = 80.0},
                                           HumanoidShape{.armDrop = 30.0, .wings = true}));

// Legs set to one side of the chest, as a character standing on one leg sets her hips: the
// spine starts over the hips but rises on the chest's middle, and the shoulders mirror about it.
TEST(SkeletonFit, UpperSpineAndShouldersFollowTheChestNotTheHips) {
    const double shift = 1.5;
    const SkeletonFit fit =
        FitSkeleton(HumanoidTriangles({.armDrop = 80.0, .legShift = shift}), NoJoints());
    ASSERT_EQ(fit.failure, SkeletonFitFailure::None);
    const JointPositions& j = fit.joints;
    EXPECT_NEAR(j[0].y, shift, 0.3);  // the hip anchor
    for (int spine : {UpperBack, Collar, TopOfHead}) {
        EXPECT_NEAR(j[spine].y, 0.0, 0.3) << spine;
    }
    EXPECT_NEAR(j[LeftShoulder].y, -j[LeftShoulder + 6].y, 0.3);
    EXPECT_GT(j[LeftShoulder].y, 4.0);
}

// A forearm raised back up beside the hanging upper arm: the elbow at the bend below, not
// halfway up between the two halves of the arm.
TEST(SkeletonFit, FoldedArmBendsAtItsElbow) {
    const HumanoidShape shape{.armDrop = 80.0, .divisions = 3, .leftArmFolded = true};
    const SkeletonFit fit = FitSkeleton(HumanoidTriangles(shape), NoJoints());
    ASSERT_EQ(fit.failure, SkeletonFitFailure::None);
    EXPECT_LT(Distance(fit.joints[LeftElbow], HumanoidLeftFoldedElbow(shape)), 3.0);
    // The straight right arm keeps its elbow on the arm's line.
    EXPECT_NEAR(fit.joints[LeftElbow + 6].x, 0.0, 1.0);
}

TEST(SkeletonFit, RefusesWhatIsNotAStandingHumanoid) {
    const std::vector<Triangle3> flat = {{Point3{0, 0, 0}, Point3{1, 0, 0}, Point3{0, 1, 0}}};
    const std::vector<Triangle3> upright = {{Point3{0, 0, 0}, Point3{0, 1, 0}, Point3{0, 0, 1}}};
    std::vector<Triangle3> lying = HumanoidTriangles({});
    for (Triangle3& t : lying) {
        for (Point3& p : t) {
            p = {p.z, p.y, p.x};  // head along +X
        }
    }
    const struct {
        const char* name;
        std::vector<Triangle3> triangles;
        SkeletonFitFailure failure;
    } cases[] = {
        {"empty", {}, SkeletonFitFailure::NoSurface},
        {"one flat triangle", flat, SkeletonFitFailure::NoSurface},
        {"one upright triangle", upright, SkeletonFitFailure::NoLegs},
        {"cube", BoxTriangles({0, 0, 0}, {10, 10, 10}, 3), SkeletonFitFailure::NoLegs},
        {"lying character", lying, SkeletonFitFailure::LyingDown},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FitSkeleton(c.triangles, NoJoints()).failure, c.failure) << c.name;
    }
}
