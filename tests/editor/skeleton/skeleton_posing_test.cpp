#include <gtest/gtest.h>

#include <functional>
#include <utility>

#include "tests/editor/skeleton/expect_near.h"

#include "editor/skeleton/model_skeleton_fit.h"
#include "editor/skeleton/pose_math.h"
#include "tests/editor/skeleton/skeleton_fixture.h"

using namespace ::editor::skeleton;

namespace {
using SkeletonPosing = SkeletonFixture;
}  // namespace

TEST_F(SkeletonPosing, BuiltInSkeletonShowsInDisplaySpace) {
    BuildSkeleton(posing_);
    EXPECT_EQ(document_->hasDefaultPose, 1u);
    // Left toes are 7.011 in front of the ankle (pose x = +7.011): x = -7.011 in the scene.
    ExpectNear(JointAt(4), Vector(-7.011, 1.9314, -3.996 - 14.62 - 15.74 - 3.38865));
    ExpectNear(JointAt(1), Vector(0.0, 1.9314, -3.996));
    LinkSkeleton(*document_, scene_);
    posing_.Apply(document_->defaultPose);
    // The start-up pose stretches the leaf bone to its table length along the same line.
    EXPECT_NEAR(JointAt(4).x, -7.011 * 7.79 / Length(TableToPose(jointTable[4].defaultOffset)),
                1e-4);
    EXPECT_EQ(document_->joints[4].Shape()->GetName(), "left toes");
    EXPECT_EQ(document_->bones[10].Shape()->GetName(), "left chest");
    EXPECT_EQ(document_->joints[4].Shape()->GetParent(), document_->joints[3].Shape());
    EXPECT_EQ(document_->bones[3].Shape()->GetParent(), document_->joints[4].Shape());
    EXPECT_EQ(document_->joints[0].Shape()->GetParent(), &scene_);
}

TEST_F(SkeletonPosing, StartupLengthsMixOffsetsAndTableLengths) {
    StartUp();
    EXPECT_NEAR(document_->bones[10].length, 10.4035, 1e-4);
    EXPECT_NEAR(document_->bones[3].length, 7.79, 1e-5);
    EXPECT_NEAR(Distance(3, 4), 7.79, 1e-5);
    // The bone's cylinder is stretched to its length along its axis and aimed at its end.
    C3dShape* chest = document_->bones[10].Shape();
    ExpectNear(chest->GetPosition(&scene_), JointAt(10));
    Vector tip = chest->LocalToWorld(Vector(0.0, 0.0, 1.0));
    ExpectNear(tip, JointAt(11));
}

TEST_F(SkeletonPosing, CaptureThenApplyKeepsEveryJoint) {
    StartUp();
    Vector before[NUM_JOINTS];
    for (int j = 0; j < NUM_JOINTS; ++j) {
        before[j] = JointAt(j);
    }
    for (uint32_t normalize : {0u, 1u}) {
        document_->normalizePoses = normalize;
        PoseRecord record;
        posing_.Capture(record);
        posing_.Apply(record);
        for (int j = 0; j < NUM_JOINTS; ++j) {
            ExpectNear(JointAt(j), before[j], 2e-4);
        }
    }
}

TEST_F(SkeletonPosing, NormalizedCaptureFitsDoubledLengths) {
    StartUp();
    document_->normalizePoses = 1;
    PoseRecord record;
    posing_.Capture(record);
    Vector root = JointAt(0);
    Vector thighDirection = Vector::Subtract(JointAt(2), JointAt(1));
    thighDirection.Normalize();
    BoneLengths doubled;
    DefaultBoneLengths(doubled);
    for (double& length : doubled) {
        length *= 2.0;
    }
    SetBoneLengths(*document_, doubled);
    posing_.Apply(record);
    ExpectNear(JointAt(0), root);
    EXPECT_NEAR(Distance(1, 2), 2 * 14.62, 1e-4);
    Vector along = Vector::Subtract(JointAt(2), JointAt(1));
    along.Normalize();
    ExpectNear(along, thighDirection, 1e-5);
}

// The posing's promise: whatever sets the skeleton to a pose makes the generated model follow,
// and what only reads the skeleton leaves it alone.
TEST_F(SkeletonPosing, EveryPoseApplicationTellsTheFollower) {
    StartUp();
    PoseRecord record;
    const std::pair<const char*, std::function<void()>> steps[] = {
        {"apply", [&] { posing_.Apply(document_->defaultPose); }},
        {"normalised capture",
         [&] {
             document_->normalizePoses = 1;
             posing_.Capture(record);
             document_->normalizePoses = 0;
         }},
        {"restore defaults", [&] { posing_.RestoreDefaults(); }},
        {"place skeleton", [&] { PlaceSkeleton(posing_, CurrentJointPositions(*document_)); }},
        {"follow", [&] { posing_.Follow(); }},
    };
    for (const auto& [name, step] : steps) {
        const int before = follower_.follows;
        step();
        EXPECT_EQ(follower_.follows, before + 1) << name;
    }
    const int before = follower_.follows;
    posing_.Capture(record);
    ReadPose(*document_, record);
    EXPECT_EQ(follower_.follows, before);
}

TEST_F(SkeletonPosing, RestoreDefaultsInBothModes) {
    StartUp();
    BoneLengths odd;
    for (double& length : odd) {
        length = 3.0;
    }
    SetBoneLengths(*document_, odd);
    posing_.RestoreDefaults();
    // Without normalising, the pose's implied lengths replace the table for non-leaf bones.
    EXPECT_NEAR(document_->bones[10].length, 10.4035, 1e-4);
    EXPECT_NEAR(document_->bones[3].length, 7.79, 1e-5);

    document_->normalizePoses = 1;
    SetBoneLengths(*document_, odd);
    posing_.RestoreDefaults();
    for (int b = 0; b < NUM_BONES; ++b) {
        EXPECT_NEAR(document_->bones[b].length, boneTable[b].defaultLength, 1e-4) << b;
    }
    EXPECT_NEAR(Distance(10, 11), 10.47, 1e-4);
}

TEST_F(SkeletonPosing, RebuildFromStoredDefaultPoseUsesTableLengths) {
    StartUp();
    PoseRecord stored = document_->defaultPose;
    UnlinkSkeleton(*document_);
    document_->Reset();
    document_->SetScene(&scene_);
    document_->defaultPose = stored;
    document_->hasDefaultPose = 1;
    BuildSkeleton(posing_);
    // Each joint hangs off its own bone's stored start at the table length.
    EXPECT_NEAR(Distance(10, 11), 10.47, 1e-4);
    EXPECT_NEAR(Distance(3, 4), 7.79, 1e-4);
}

TEST_F(SkeletonPosing, ActivationReachesTheParts) {
    StartUp();
    uint32_t headOnly[NUM_MESH_NODES] = {};
    headOnly[15] = 1;
    SetActiveNodes(*document_, headOnly);
    EXPECT_EQ(document_->bones[26].visible, 1u);
    EXPECT_EQ(document_->bones[26].displayMode, 0u);
    EXPECT_EQ(document_->bones[25].visible, 1u);
    EXPECT_EQ(document_->bones[25].displayMode, 1u);
    EXPECT_EQ(document_->joints[0].displayMode, 1u);
    EXPECT_EQ(document_->bones[3].visible, 0u);
    EXPECT_EQ(document_->joints[4].visible, 0u);
    uint32_t flags[NUM_MESH_NODES];
    GetActiveNodes(*document_, flags);
    EXPECT_EQ(flags[15], 1u);
    EXPECT_EQ(flags[0], 0u);
}

TEST_F(SkeletonPosing, AimBoneStretchesOnlyTheBoneEndingAtTheJoint) {
    StartUp();
    JointPart& knee = document_->joints[2];
    Vector moved = Vector::Add(JointAt(2), Vector(0.0, 0.0, -2.0));
    knee.Shape()->SetPosition(moved, &scene_);
    AimBone(*document_, knee);
    EXPECT_NEAR(document_->bones[1].length, Distance(1, 2), 1e-5);
    ExpectNear(document_->bones[1].Shape()->LocalToWorld(Vector(0.0, 0.0, 1.0)), moved);
    EXPECT_NEAR(document_->bones[2].length, Distance(2, 3), 1e-4);
    // Nothing ends at the hip anchor: nothing happens.
    AimBone(*document_, document_->joints[0]);
}

TEST_F(SkeletonPosing, LegHeightRatioOfTheDocument) {
    StartUp();
    BoneLengths defaults;
    DefaultBoneLengths(defaults);
    SetBoneLengths(*document_, defaults);
    BoneLengths scaled;
    EXPECT_NEAR(LegHeightRatio(*document_, scaled), 1.0, 1e-12);
}

TEST_F(SkeletonPosing, DividingPlaneIsBuiltSwitchedOff) {
    StartUp();
    C3dShape* plane = document_->dividingPlane.Shape();
    ASSERT_NE(plane, nullptr);
    EXPECT_EQ(plane->GetName(), "dividing plane");
    EXPECT_EQ(plane->GetParent(), &scene_);
    EXPECT_EQ(plane->GetFaceCount(), 6);
    EXPECT_EQ(document_->dividingPlane.visible, 0u);
    Vector lo, hi;
    ASSERT_TRUE(plane->GetBox(lo, hi));
    ExpectNear(lo, Vector(-32, -0.1, -32), 1e-6);
    ExpectNear(hi, Vector(32, 0.1, 32), 1e-6);
    UnlinkSkeleton(*document_);
    EXPECT_EQ(plane->GetParent(), nullptr);
}
