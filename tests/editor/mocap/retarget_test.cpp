// Retargeting checked on real clips against a forward kinematics of its own: right-handed
// BVH rotations, axes from the rest pose, source segments compared with the written poses.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <map>
#include <string>

#include "bytes/whole_file.h"
#include "editor/mocap/bvh_reader.h"
#include "editor/mocap/mocap_import.h"
#include "editor/mocap/retarget.h"

using namespace ::editor::mocap;

namespace {

constexpr double kPi = 3.14159265358979323846;

struct Vec {
    double x = 0, y = 0, z = 0;
};
Vec operator+(Vec a, Vec b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}
Vec operator-(Vec a, Vec b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
Vec operator*(Vec a, double s) {
    return {a.x * s, a.y * s, a.z * s};
}
double Dot(Vec a, Vec b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
Vec Cross(Vec a, Vec b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
Vec Unit(Vec a) {
    return a * (1.0 / std::sqrt(Dot(a, a)));
}
Vec FromPose(const PoseVec& v) {
    return {v.x, v.y, v.z};
}

struct Mat {
    double m[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
};
Mat operator*(const Mat& a, const Mat& b) {
    Mat r;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            r.m[i][j] = 0;
            for (int k = 0; k < 3; ++k)
                r.m[i][j] += a.m[i][k] * b.m[k][j];
        }
    return r;
}
Vec operator*(const Mat& a, Vec v) {
    return {a.m[0][0] * v.x + a.m[0][1] * v.y + a.m[0][2] * v.z,
            a.m[1][0] * v.x + a.m[1][1] * v.y + a.m[1][2] * v.z,
            a.m[2][0] * v.x + a.m[2][1] * v.y + a.m[2][2] * v.z};
}
// Right-handed rotation about a coordinate axis, degrees.
Mat AxisRotation(int axis, double degrees) {
    double c = std::cos(degrees * kPi / 180.0), s = std::sin(degrees * kPi / 180.0);
    int a = (axis + 1) % 3, b = (axis + 2) % 3;
    Mat r;
    r.m[a][a] = c;
    r.m[a][b] = -s;
    r.m[b][a] = s;
    r.m[b][b] = c;
    return r;
}

// Joint positions (and end sites, keyed by joint index + 10000) of one row.
std::map<int, Vec> Kinematics(const BvhClip& clip, const double* row) {
    std::map<int, Vec> at;
    std::vector<Mat> turn(clip.joints.size());
    for (size_t j = 0; j < clip.joints.size(); ++j) {
        const BvhJoint& joint = clip.joints[j];
        Vec t = FromPose(joint.offset);
        Mat local;
        for (int c = 0; row && c < joint.channelCount; ++c) {
            int channel = static_cast<int>(joint.channels[c]);
            double value = row[joint.firstChannel + c];
            if (channel < 3) {
                (channel == 0 ? t.x : channel == 1 ? t.y : t.z) += value;
            } else {
                local = local * AxisRotation(channel - 3, value);
            }
        }
        if (joint.parent < 0) {
            at[static_cast<int>(j)] = t;
            turn[j] = local;
        } else {
            at[static_cast<int>(j)] = at[joint.parent] + turn[joint.parent] * t;
            turn[j] = turn[joint.parent] * local;
        }
        if (joint.hasEndSite) {
            at[static_cast<int>(j) + 10000] =
                at[static_cast<int>(j)] + turn[j] * FromPose(joint.endSite);
        }
    }
    return at;
}

struct Source {
    const char* name;
    bool endSite;
};
// Player joint -> source point, per convention.
const std::map<int, Source> kCarnegieMellon = {
    {0, {"Hips", false}},         {1, {"LeftUpLeg", false}},     {2, {"LeftLeg", false}},
    {3, {"LeftFoot", false}},     {4, {"LeftToeBase", false}},   {5, {"RightUpLeg", false}},
    {6, {"RightLeg", false}},     {7, {"RightFoot", false}},     {8, {"RightToeBase", false}},
    {9, {"Spine", false}},        {10, {"Spine1", false}},       {11, {"LeftArm", false}},
    {12, {"LeftForeArm", false}}, {13, {"LeftHand", false}},     {14, {"LFingers", false}},
    {17, {"RightArm", false}},    {18, {"RightForeArm", false}}, {19, {"RightHand", false}},
    {20, {"RFingers", false}},    {26, {"Neck1", false}},        {27, {"Head", false}},
    {28, {"Head", true}}};
const std::map<int, Source> kOlder = {{0, {"Hips", false}},        {1, {"LeftHip", false}},
                                      {2, {"LeftKnee", false}},    {3, {"LeftAnkle", false}},
                                      {4, {"LeftToes", false}},    {5, {"RightHip", false}},
                                      {6, {"RightKnee", false}},   {7, {"RightAnkle", false}},
                                      {8, {"RightToes", false}},   {9, {"Ab", false}},
                                      {10, {"Chest", false}},      {11, {"LeftShoulder", false}},
                                      {12, {"LeftElbow", false}},  {13, {"LeftWrist", false}},
                                      {14, {"LeftWrist", true}},   {17, {"RightShoulder", false}},
                                      {18, {"RightElbow", false}}, {19, {"RightWrist", false}},
                                      {20, {"RightWrist", true}},  {26, {"Neck", false}},
                                      {27, {"Head", false}},       {28, {"Head", true}}};

bool ReadClip(const std::string& file, BvhClip& clip) {
    std::vector<uint8_t> bytes;
    if (!bytes::ReadWholeFile(std::string(MARIONET_BVH_DIR) + "/" + file, bytes)) {
        return false;
    }
    BvhError error;
    EXPECT_TRUE(ReadBvh(std::string(bytes.begin(), bytes.end()), clip, error)) << error.message;
    return true;
}

void TestLengths(BoneLengths& lengths) {
    DefaultBoneLengths(lengths);
    for (int b = 0; b < NUM_BONES; ++b) {
        lengths[b] *= 1.0 + 0.01 * b;  // proportions of a player other than the default
    }
}

double AngleDegrees(Vec a, Vec b) {
    return std::acos(std::clamp(Dot(Unit(a), Unit(b)), -1.0, 1.0)) * 180.0 / kPi;
}

struct RealClip {
    const char* file;
    const std::map<int, Source>* sources;
    const char* leftHip;
    const char* rightHip;
};

class RetargetRealClip : public ::testing::TestWithParam<RealClip> {};

TEST_P(RetargetRealClip, BonesFollowSourceSegmentsAtPlayerLengthsInPlace) {
    const RealClip& c = GetParam();
    BvhClip clip;
    if (!ReadClip(c.file, clip)) {
        GTEST_SKIP() << "assimp-testmodels is not installed";
    }
    BoneLengths lengths;
    TestLengths(lengths);
    MocapOptions options;
    options.baseName = "clip";
    bytes::Result<std::vector<PoseRecord>> converted = ConvertClip(clip, options, lengths);
    ASSERT_TRUE(converted) << converted.Reason();
    std::vector<PoseRecord> poses = *converted;
    std::vector<int> rows = SampleRows(clip.frameCount, clip.frameTime, 10.0);
    ASSERT_EQ(poses.size(), rows.size());

    // Axes of the rest pose: up +Y, left from the right hip to the left hip on the ground.
    std::map<int, Vec> rest = Kinematics(clip, nullptr);
    Vec up{0, 1, 0};
    Vec across = rest[clip.FindJoint(c.leftHip)] - rest[clip.FindJoint(c.rightHip)];
    Vec left = Unit(across - up * Dot(across, up));
    Vec forward = Cross(left, up);
    auto toPose = [&](Vec v) { return Vec{Dot(v, forward), Dot(v, left), Dot(v, up)}; };
    auto point = [&](std::map<int, Vec>& at, const Source& s) {
        return at[clip.FindJoint(s.name) + (s.endSite ? 10000 : 0)];
    };

    int checkedBones = 0;
    double worst = 0.0;
    for (size_t k = 0; k < poses.size(); ++k) {
        std::map<int, Vec> at = Kinematics(clip, clip.Row(rows[k]));
        const PoseRecord& pose = poses[k];
        for (int b = 0; b < NUM_BONES; ++b) {
            auto from = c.sources->find(boneTable[b].startJoint);
            auto to = c.sources->find(boneTable[b].endJoint);
            if (from == c.sources->end() || to == c.sources->end()) {
                continue;
            }
            Vec segment = toPose(point(at, to->second) - point(at, from->second));
            Vec bone = FromPose(PoseRotation(pose.angles[b]) * PoseVec{1, 0, 0});
            worst = std::max(worst, AngleDegrees(segment, bone));
            checkedBones += k == 0 ? 1 : 0;
        }
        // A record carries the lengths of the bones whose end joint starts another bone; the
        // others (fingertips, weapon ends) are directions only.
        BoneLengths implied;
        BoneLengthsFromPose(pose, implied);
        for (int b = 0; b < NUM_BONES; ++b) {
            bool startsAnother = false;
            for (const BoneTableEntry& other : boneTable) {
                startsAnother = startsAnother || other.startJoint == boneTable[b].endJoint;
            }
            if (startsAnother) {
                EXPECT_NEAR(implied[b], lengths[b], 1e-9 * lengths[b]) << "bone " << b;
            }
        }
        EXPECT_EQ(pose.startPositions[CENTER_PELVIS_BONE].x, 0.0);
        EXPECT_EQ(pose.startPositions[CENTER_PELVIS_BONE].y, 0.0);
    }
    EXPECT_LT(worst, 1e-4) << "degrees";
    EXPECT_GE(checkedBones, 21);
}

INSTANTIATE_TEST_SUITE_P(
    Clips, RetargetRealClip,
    ::testing::Values(RealClip{"01_01.bvh", &kCarnegieMellon, "LeftUpLeg", "RightUpLeg"},
                      RealClip{"01_03.bvh", &kCarnegieMellon, "LeftUpLeg", "RightUpLeg"},
                      RealClip{"Boxing_Toes.bvh", &kOlder, "LeftHip", "RightHip"}),
    [](const ::testing::TestParamInfo<RealClip>& info) {
        return std::string(info.param.file).substr(0, 5) == "Boxin"
                   ? std::string("Older")
                   : "CMU_" + std::to_string(info.index);
    });

// The player's rest frames of a bone: direction from the built-in offsets, roll from the table.
Rotation3 RestRotation(int b) {
    PoseVec positions[NUM_JOINTS];
    BuiltInJointPositions(positions);
    PoseVec direction = positions[boneTable[b].endJoint] - positions[boneTable[b].startJoint];
    return PoseRotation(CaptureBoneAngles(direction, BuiltInRollVector(b)));
}

Rotation3 Relative(const Rotation3& parent, const Rotation3& child) {
    Rotation3 inverse;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            inverse.m[i][j] = parent.m[j][i];
    return inverse * child;
}

TEST(Retarget, BonesWithoutSourceFollowTheirParentAsInTheRestPose) {
    BvhClip clip;
    if (!ReadClip("01_01.bvh", clip)) {
        GTEST_SKIP() << "assimp-testmodels is not installed";
    }
    BoneLengths lengths;
    DefaultBoneLengths(lengths);
    Retargeter retargeter;
    const bytes::Status prepared = retargeter.Prepare(clip, lengths);
    ASSERT_TRUE(prepared) << prepared.Reason();
    int rigid = 0;
    for (int row : {0, 700, 1500, 2751}) {
        PoseRecord pose;
        retargeter.MakePose(clip.Row(row), false, pose);
        for (int b = 0; b < NUM_BONES; ++b) {
            int parent = BoneEndingAt(boneTable[b].startJoint);
            if (retargeter.IsMapped(b) || parent == NO_BONE) {
                continue;
            }
            rigid += row == 0 ? 1 : 0;
            Rotation3 expected = Relative(RestRotation(parent), RestRotation(b));
            Rotation3 actual =
                Relative(PoseRotation(pose.angles[parent]), PoseRotation(pose.angles[b]));
            // Angles are taken with the program's quarter turn, 1.5e-8 off a true one, and chains
            // add up.
            for (int i = 0; i < 3; ++i)
                for (int j = 0; j < 3; ++j)
                    EXPECT_NEAR(actual.m[i][j], expected.m[i][j], 1e-6) << "bone " << b;
        }
    }
    // Closed hands, bow, staff and hellstaff, stored bow and staff, armour.
    EXPECT_EQ(rigid, 15);
}

// A clip of the real hierarchy with rows of our own: everything at rest except what is set.
BvhClip ClipWithRows(
    const BvhClip& real,
    const std::vector<std::map<std::pair<std::string, BvhChannel>, double>>& rows) {
    BvhClip clip = real;
    clip.frameCount = static_cast<int>(rows.size());
    clip.frameTime = 1.0 / 10.0;
    clip.values.assign(rows.size() * static_cast<size_t>(clip.channelsPerFrame), 0.0);
    for (size_t r = 0; r < rows.size(); ++r) {
        for (const auto& [key, value] : rows[r]) {
            const BvhJoint& joint = clip.joints[static_cast<size_t>(clip.FindJoint(key.first))];
            for (int c = 0; c < joint.channelCount; ++c) {
                if (joint.channels[c] == key.second) {
                    clip.values[r * clip.channelsPerFrame + joint.firstChannel + c] = value;
                }
            }
        }
    }
    return clip;
}

TEST(Retarget, TwistOfTheUpperArmTurnsItsRoll) {
    BvhClip real;
    if (!ReadClip("01_01.bvh", real)) {
        GTEST_SKIP() << "assimp-testmodels is not installed";
    }
    BvhClip clip = ClipWithRows(real, {{}, {{{"LeftArm", BvhChannel::Xrotation}, 90.0}}});
    BoneLengths lengths;
    DefaultBoneLengths(lengths);
    MocapOptions options;
    options.baseName = "twist";
    bytes::Result<std::vector<PoseRecord>> converted = ConvertClip(clip, options, lengths);
    ASSERT_TRUE(converted) << converted.Reason();
    std::vector<PoseRecord> poses = *converted;
    ASSERT_EQ(poses.size(), 2u);
    const int upperArm = 11;
    Vec before = FromPose(PoseRotation(poses[0].angles[upperArm]) * PoseVec{1, 0, 0});
    Vec after = FromPose(PoseRotation(poses[1].angles[upperArm]) * PoseVec{1, 0, 0});
    Vec rollBefore = FromPose(PoseRollVector(poses[0], upperArm));
    Vec rollAfter = FromPose(PoseRollVector(poses[1], upperArm));
    // The rotation is about the arm itself (the clip's +X, the player's left): only the roll moves.
    EXPECT_LT(AngleDegrees(before, after), 1e-5);
    EXPECT_NEAR(AngleDegrees(rollBefore, rollAfter), 90.0, 1e-5);
    // Right-handed about +Y (left): up turns to forward.
    EXPECT_NEAR(Dot(Unit(Cross(rollBefore, rollAfter)), Unit(before)), 1.0, 1e-9);
    EXPECT_NEAR(before.y, 1.0, 1e-6);
    EXPECT_NEAR(rollAfter.x, 1.0, 1e-6);
}

TEST(Retarget, ForwardInTheClipIsForwardInPoseSpaceScaledByLegHeight) {
    BvhClip real;
    if (!ReadClip("01_01.bvh", real)) {
        GTEST_SKIP() << "assimp-testmodels is not installed";
    }
    std::map<int, Vec> rest = Kinematics(real, nullptr);
    double clipLeg =
        rest[real.FindJoint("Hips")].y -
        std::min(rest[real.FindJoint("LeftToeBase")].y, rest[real.FindJoint("RightToeBase")].y);
    double h = clipLeg + 0.5;  // toes half a unit above the ground of frame 0
    BvhClip clip = ClipWithRows(real, {{{{"Hips", BvhChannel::Yposition}, h}},
                                       {{{"Hips", BvhChannel::Yposition}, h + 2.0},
                                        {{"Hips", BvhChannel::Zposition}, 10.0}}});
    BoneLengths lengths;
    TestLengths(lengths);
    PoseVec restJoints[NUM_JOINTS];
    BuiltInJointPositions(restJoints);
    double legs[2] = {0.0, 0.0};
    for (int b : {0, 1, 2, 3, 4, 5, 6, 7}) {
        PoseVec d = restJoints[boneTable[b].endJoint] - restJoints[boneTable[b].startJoint];
        legs[b / 4] -= d.z / Length(d) * lengths[b];
    }
    double playerLeg = std::max(legs[0], legs[1]);
    double scale = playerLeg / clipLeg;
    for (bool keep : {false, true}) {
        MocapOptions options;
        options.baseName = "walk";
        options.keepRootMotion = keep;
        bytes::Result<std::vector<PoseRecord>> converted = ConvertClip(clip, options, lengths);
        ASSERT_TRUE(converted) << converted.Reason();
        std::vector<PoseRecord> poses = *converted;
        ASSERT_EQ(poses.size(), 2u);
        const PoseVec& first = poses[0].startPositions[CENTER_PELVIS_BONE];
        const PoseVec& second = poses[1].startPositions[CENTER_PELVIS_BONE];
        // The lowest toes of the clip stand where the player's rest toes are.
        EXPECT_NEAR(first.z, 0.0, 1e-9);
        EXPECT_NEAR(second.z, 2.0 * scale, 1e-9);
        EXPECT_EQ(first.x, 0.0);
        EXPECT_NEAR(second.x, keep ? 10.0 * scale : 0.0, 1e-9);
        EXPECT_NEAR(second.y, 0.0, 1e-9);
    }
}

TEST(Retarget, RecognisesConventionsAndNamesMissingJoints) {
    BvhClip real;
    if (!ReadClip("01_01.bvh", real)) {
        GTEST_SKIP() << "assimp-testmodels is not installed";
    }
    BoneLengths lengths;
    DefaultBoneLengths(lengths);
    Retargeter retargeter;
    bytes::Status prepared = retargeter.Prepare(real, lengths);
    ASSERT_TRUE(prepared) << prepared.Reason();
    EXPECT_STREQ(retargeter.Map().convention, "Carnegie Mellon");

    BvhClip mixamo = real;
    for (BvhJoint& joint : mixamo.joints) {
        joint.name = "mixamorig:" + joint.name;
    }
    prepared = retargeter.Prepare(mixamo, lengths);
    ASSERT_TRUE(prepared) << prepared.Reason();
    EXPECT_STREQ(retargeter.Map().convention, "Mixamo");
    EXPECT_TRUE(retargeter.IsMapped(26));  // neck to the head
    EXPECT_TRUE(retargeter.IsMapped(11));

    BvhClip lacking = real;
    lacking.joints[static_cast<size_t>(lacking.FindJoint("LeftLeg"))].name = "LeftShin";
    lacking.joints[static_cast<size_t>(lacking.FindJoint("Head"))].name = "Skull";
    prepared = retargeter.Prepare(lacking, lengths);
    EXPECT_EQ(prepared.Kind(), bytes::Failure::Refused);
    EXPECT_EQ(prepared.Reason(),
              "it lacks joints the player needs (Carnegie Mellon names): LeftLeg, Head, Head (with "
              "an End Site)");

    BvhClip unknown = real;
    for (size_t j = 0; j < unknown.joints.size(); ++j) {
        unknown.joints[j].name = "j" + std::to_string(j);
    }
    prepared = retargeter.Prepare(unknown, lengths);
    EXPECT_FALSE(prepared);
    EXPECT_NE(prepared.Reason().find("no known convention"), std::string::npos);
}

}  // namespace
