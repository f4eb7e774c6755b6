#include "editor/skeleton/pose_math.h"

#include <gtest/gtest.h>

#include "tests/editor/skeleton/expect_near.h"

#include <cmath>

#include "editor/skeleton/pose_angles.h"

using namespace ::editor::skeleton;

namespace {
// Captures a whole skeleton given by joint positions and roll vectors, as the document does.
PoseRecord CaptureJoints(const PoseVec joints[NUM_JOINTS], const PoseVec rolls[NUM_BONES]) {
    PoseRecord record;
    for (int b = 0; b < NUM_BONES; ++b) {
        CaptureBone(record, b, joints[boneTable[b].startJoint], joints[boneTable[b].endJoint],
                    rolls[b]);
    }
    return record;
}

PoseRecord BuiltInPose(PoseVec joints[NUM_JOINTS]) {
    BuiltInJointPositions(joints);
    PoseVec rolls[NUM_BONES];
    for (int b = 0; b < NUM_BONES; ++b) {
        rolls[b] = BuiltInRollVector(b);
    }
    return CaptureJoints(joints, rolls);
}
}  // namespace

TEST(PoseAngles, ProgramConstantsAndWrapping) {
    EXPECT_EQ(atan2p(0.0, 0.0), 0.0);
    EXPECT_DOUBLE_EQ(atan2p(-1.0, 0.0), -M_PI / 2 + 6.2831853676);
    EXPECT_DOUBLE_EQ(atan2p(1.0, 1.0), M_PI / 4);
    EXPECT_DOUBLE_EQ(WrapAngle(6.2831853676), 0.0);
    EXPECT_DOUBLE_EQ(WrapAngle(-6.2831853676), 0.0);
    EXPECT_DOUBLE_EQ(WrapAngle(2 * 6.2831853676 + 1.0), 1.0);
    EXPECT_DOUBLE_EQ(WrapAngle(-1.0), -1.0);
    EXPECT_TRUE(std::isnan(WrapAngle(NAN)));
    EXPECT_TRUE(std::isfinite(WrapAngle(1e300)));
}

TEST(PoseRotation, MatchesTheClosedFormDirection) {
    PoseAngles angles{0.3, 0.7, -0.4};
    PoseVec along = PoseRotation(angles) * PoseVec{2.0, 0.0, 0.0};
    ExpectNear(along,
               {2.0 * std::cos(0.7) * std::cos(-0.4), -2.0 * std::sin(-0.4),
                2.0 * std::sin(0.7) * std::cos(-0.4)},
               1e-12);
    PoseVec back = InversePoseRotation(angles) * along;
    ExpectNear(back, {2.0, 0.0, 0.0}, 1e-12);
}

TEST(CaptureBoneAngles, AxisBonesUseTheTwoQuarterTurnConstants) {
    // Along +X with roll +Y: every angle is pi/2 minus the program's quarter turn.
    PoseAngles forward = CaptureBoneAngles({5.0, 0.0, 0.0}, {0.0, 1.0, 0.0});
    double offset = M_PI / 2 - 1.5707963419;
    EXPECT_DOUBLE_EQ(forward.angleY, 0.0);
    EXPECT_NEAR(forward.angleZ, offset, 1e-15);
    EXPECT_NEAR(forward.angleX, offset, 1e-12);
    EXPECT_NEAR(forward.angleZ, -1.5e-8, 0.1e-8);

    PoseAngles up = CaptureBoneAngles({0.0, 0.0, 5.0}, {0.0, 1.0, 0.0});
    EXPECT_NEAR(up.angleY, 1.5707963268, 1e-10);
    EXPECT_NEAR(up.angleZ, offset, 1e-12);

    // A bone of zero length has no direction: angleY is 0.
    EXPECT_EQ(CaptureBoneAngles({0.0, 0.0, 0.0}, {0.0, 1.0, 0.0}).angleY, 0.0);
}

TEST(CaptureBoneAngles, InvertsPoseRotationInEveryOctant) {
    for (double y : {-2.5, -0.4, 0.9, 3.0}) {
        for (double z : {-1.2, -0.3, 0.5, 1.4}) {
            for (double x : {-2.0, 0.0, 1.1}) {
                PoseAngles angles{x, y, z};
                Rotation3 r = PoseRotation(angles);
                PoseAngles captured =
                    CaptureBoneAngles(r * PoseVec{3.0, 0.0, 0.0}, r * PoseVec{0.0, 1.0, 0.0});
                Rotation3 again = PoseRotation(captured);
                // The program's turn constants are off from pi by ~1e-8 per angle.
                ExpectNear(again * PoseVec{3.0, 0.0, 0.0}, r * PoseVec{3.0, 0.0, 0.0}, 1e-6);
                ExpectNear(again * PoseVec{0.0, 1.0, 0.0}, r * PoseVec{0.0, 1.0, 0.0}, 1e-6);
            }
        }
    }
}

TEST(BuiltInSkeleton, TablePositionsInPoseSpace) {
    PoseVec joints[NUM_JOINTS];
    BuiltInJointPositions(joints);
    ExpectNear(joints[0], {0.0, 0.0, 0.0});
    ExpectNear(joints[1], {0.0, 1.9314, -3.996});
    // The left toes lie 7.011 in front of the left ankle.
    ExpectNear(joints[4] - joints[3], {7.011, 0.0, -3.38865});
    EXPECT_NEAR(FlipX(joints[4]).x, -7.011, 1e-5);
    ExpectNear(joints[28], {0.0, 0.0, 1.89 + 2.68 + 11.69 + 2.35 + 5.08});
    // Rolls are normalised in table axes: (0.707, 0.707, 0) becomes (0, 0.7071, 0.7071).
    ExpectNear(BuiltInRollVector(0), {0.0, std::sqrt(0.5), std::sqrt(0.5)}, 1e-7);
    ExpectNear(BuiltInRollVector(29), {-1.0, 0.0, 0.0}, 1e-7);
}

TEST(BoneLengthsFromPose, StartupLengthsComeFromTheOffsetsExceptLeafBones) {
    PoseVec joints[NUM_JOINTS];
    PoseRecord record = BuiltInPose(joints);
    BoneLengths lengths;
    BoneLengthsFromPose(record, lengths);
    EXPECT_NEAR(lengths[10], 10.4035, 1e-4);  // left chest: offset length, not 10.47
    EXPECT_DOUBLE_EQ(lengths[3], 7.79);       // left foot: leaf, keeps the table length
    int leaves = 0;
    for (int b = 0; b < NUM_BONES; ++b) {
        if (lengths[b] == boneTable[b].defaultLength) {
            ++leaves;
        } else {
            TableVector offset = jointTable[boneTable[b].endJoint].defaultOffset;
            EXPECT_NEAR(lengths[b], Length(TableToPose(offset)), 1e-5) << b;
        }
    }
    // 13 leaves plus the bones whose offset length equals the table length exactly.
    EXPECT_GE(leaves, 13);
}

TEST(PoseJointPosition, CaptureThenApplyRestoresEveryJoint) {
    PoseVec joints[NUM_JOINTS];
    PoseRecord record = BuiltInPose(joints);
    BoneLengths lengths;
    BoneLengthsFromPose(record, lengths);
    // Leaf bones take their default length, so compare those joints along the bone only.
    PoseVec rebuilt[NUM_JOINTS];
    PoseJointPositions(record, lengths, rebuilt);
    for (int j = 0; j < NUM_JOINTS; ++j) {
        ExpectNear(rebuilt[j], PoseJointPosition(record, lengths, j), 1e-12);
        int bone = boneEndingAt[j];
        bool leaf = bone != NO_BONE && lengths[bone] == boneTable[bone].defaultLength &&
                    std::fabs(Length(joints[j] - joints[boneTable[bone].startJoint]) -
                              lengths[bone]) > 1e-4;
        if (!leaf) {
            ExpectNear(rebuilt[j], joints[j], 1e-4);
        }
    }
    // Left toes: a leaf; it moves along its bone to the table length 7.79.
    PoseVec foot = rebuilt[4] - rebuilt[3];
    EXPECT_NEAR(Length(foot), 7.79, 1e-9);
    ExpectNear(Normalized(foot), Normalized(joints[4] - joints[3]), 1e-6);
    // A roll vector comes back as its part across the bone (some table rolls are not).
    for (int b = 0; b < NUM_BONES; ++b) {
        PoseVec along = Normalized(joints[boneTable[b].endJoint] - joints[boneTable[b].startJoint]);
        PoseVec roll = BuiltInRollVector(b);
        double dot = roll.x * along.x + roll.y * along.y + roll.z * along.z;
        ExpectNear(PoseRollVector(record, b), Normalized(roll - along * dot), 1e-6);
    }
}

TEST(NormalizeStartPositions, StoresDefaultProportionsAndAppliesToAnyLengths) {
    PoseVec joints[NUM_JOINTS];
    PoseRecord record = BuiltInPose(joints);
    BoneLengths defaults;
    DefaultBoneLengths(defaults);
    NormalizeStartPositions(record, defaults);
    BoneLengths implied;
    BoneLengthsFromPose(record, implied);
    for (int b = 0; b < NUM_BONES; ++b) {
        EXPECT_NEAR(implied[b], defaults[b], 1e-9) << b;
    }
    BoneLengths doubled;
    for (int b = 0; b < NUM_BONES; ++b) {
        doubled[b] = 2.0 * defaults[b];
    }
    ExpectNear(PoseJointPosition(record, doubled, 0), joints[0]);
    PoseVec knee = PoseJointPosition(record, doubled, 2);
    PoseVec hip = PoseJointPosition(record, doubled, 1);
    EXPECT_NEAR(Length(knee - hip), 2 * 14.62, 1e-9);
    ExpectNear(Normalized(knee - hip), {0.0, 0.0, -1.0}, 1e-7);
}

TEST(DefaultPoseJointPositions, PlacesEachJointFromItsOwnBone) {
    PoseRecord record;
    record.startPositions[CENTER_PELVIS_BONE] = {1.0, 2.0, 3.0};
    record.startPositions[1] = {10.0, 0.0, 0.0};  // left thigh, deliberately not at the hip
    PoseVec joints[NUM_JOINTS];
    DefaultPoseJointPositions(record, joints);
    ExpectNear(joints[0], {1.0, 2.0, 3.0});
    ExpectNear(joints[2], {10.0 + 14.62, 0.0, 0.0});
}

TEST(LegHeightRatio, ScalesAllBonesToTheDefaultLegHeight) {
    BoneLengths current;
    DefaultBoneLengths(current);
    for (double& length : current) {
        length *= 0.5;
    }
    BoneLengths scaled;
    EXPECT_NEAR(LegHeightRatio(current, scaled), 2.0, 1e-12);
    EXPECT_NEAR(scaled[25], 11.69, 1e-12);
    BoneLengths none = {};
    EXPECT_EQ(LegHeightRatio(none, scaled), 1.0);
}
