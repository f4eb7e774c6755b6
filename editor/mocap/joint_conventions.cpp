#include "editor/mocap/joint_conventions.h"

#include <cctype>
#include <iterator>

namespace editor::mocap {

namespace {

// One player joint's source in a convention. Optional sources (the fingertips) may be
// missing: the bone to them then follows its parent rigidly.
struct PointName {
    int playerJoint;
    const char* joint;
    bool endSite;
    bool optional;
};

struct Convention {
    const char* name;
    const char* prefix;
    const PointName* points;
    int count;
};

// Player joints: 0 hip anchor, 1-4 left hip, knee, ankle, toes, 5-8 the right ones, 9 lower
// back, 10 upper back, 11-14 left shoulder, elbow, wrist, fingertips, 17-20 the right ones,
// 26 collar, 27 base of skull, 28 top of head.
constexpr PointName CARNEGIE_MELLON[] = {
    {0, "Hips", false, false},          {1, "LeftUpLeg", false, false},
    {2, "LeftLeg", false, false},       {3, "LeftFoot", false, false},
    {4, "LeftToeBase", false, false},   {5, "RightUpLeg", false, false},
    {6, "RightLeg", false, false},      {7, "RightFoot", false, false},
    {8, "RightToeBase", false, false},  {9, "Spine", false, false},
    {10, "Spine1", false, false},       {11, "LeftArm", false, false},
    {12, "LeftForeArm", false, false},  {13, "LeftHand", false, false},
    {14, "LFingers", false, true},      {17, "RightArm", false, false},
    {18, "RightForeArm", false, false}, {19, "RightHand", false, false},
    {20, "RFingers", false, true},      {26, "Neck1", false, false},
    {27, "Head", false, false},         {28, "Head", true, false},
};

// The older style names the upper arm "Shoulder" and the clavicle "Collar".
constexpr PointName OLDER_MOTION_CAPTURE[] = {
    {0, "Hips", false, false},        {1, "LeftHip", false, false},
    {2, "LeftKnee", false, false},    {3, "LeftAnkle", false, false},
    {4, "LeftToes", false, false},    {5, "RightHip", false, false},
    {6, "RightKnee", false, false},   {7, "RightAnkle", false, false},
    {8, "RightToes", false, false},   {9, "Ab", false, false},
    {10, "Chest", false, false},      {11, "LeftShoulder", false, false},
    {12, "LeftElbow", false, false},  {13, "LeftWrist", false, false},
    {14, "LeftWrist", true, true},    {17, "RightShoulder", false, false},
    {18, "RightElbow", false, false}, {19, "RightWrist", false, false},
    {20, "RightWrist", true, true},   {26, "Neck", false, false},
    {27, "Head", false, false},       {28, "Head", true, false},
};

constexpr PointName MIXAMO[] = {
    {0, "Hips", false, false},
    {1, "LeftUpLeg", false, false},
    {2, "LeftLeg", false, false},
    {3, "LeftFoot", false, false},
    {4, "LeftToeBase", false, false},
    {5, "RightUpLeg", false, false},
    {6, "RightLeg", false, false},
    {7, "RightFoot", false, false},
    {8, "RightToeBase", false, false},
    {9, "Spine", false, false},
    {10, "Spine1", false, false},
    {11, "LeftArm", false, false},
    {12, "LeftForeArm", false, false},
    {13, "LeftHand", false, false},
    {14, "LeftHandMiddle1", false, true},
    {17, "RightArm", false, false},
    {18, "RightForeArm", false, false},
    {19, "RightHand", false, false},
    {20, "RightHandMiddle1", false, true},
    {26, "Neck", false, false},
    {27, "Head", false, false},
    {28, "HeadTop_End", false, false},
};

// 3ds Max's Biped; the spine has one to four links, the head ends in a "nub".
constexpr PointName BIPED[] = {
    {0, "Pelvis", false, false},     {1, "L Thigh", false, false},
    {2, "L Calf", false, false},     {3, "L Foot", false, false},
    {4, "L Toe0", false, false},     {5, "R Thigh", false, false},
    {6, "R Calf", false, false},     {7, "R Foot", false, false},
    {8, "R Toe0", false, false},     {9, "Spine", false, false},
    {10, "Spine1", false, false},    {11, "L UpperArm", false, false},
    {12, "L Forearm", false, false}, {13, "L Hand", false, false},
    {14, "L Finger2", false, true},  {17, "R UpperArm", false, false},
    {18, "R Forearm", false, false}, {19, "R Hand", false, false},
    {20, "R Finger2", false, true},  {26, "Neck", false, false},
    {27, "Head", false, false},      {28, "HeadNub", false, true},
};

// Unreal Engine's mannequin.
constexpr PointName UNREAL[] = {
    {0, "pelvis", false, false},      {1, "thigh_l", false, false},
    {2, "calf_l", false, false},      {3, "foot_l", false, false},
    {4, "ball_l", false, false},      {5, "thigh_r", false, false},
    {6, "calf_r", false, false},      {7, "foot_r", false, false},
    {8, "ball_r", false, false},      {9, "spine_01", false, false},
    {10, "spine_02", false, false},   {11, "upperarm_l", false, false},
    {12, "lowerarm_l", false, false}, {13, "hand_l", false, false},
    {14, "middle_01_l", false, true}, {17, "upperarm_r", false, false},
    {18, "lowerarm_r", false, false}, {19, "hand_r", false, false},
    {20, "middle_01_r", false, true}, {26, "neck_01", false, false},
    {27, "head", false, false},       {28, "head_end", false, true},
};

// Blender's human meta-rig: the spine chain carries the hips, chest, neck and head.
constexpr PointName BLENDER[] = {
    {0, "spine", false, false},         {1, "thigh.L", false, false},
    {2, "shin.L", false, false},        {3, "foot.L", false, false},
    {4, "toe.L", false, false},         {5, "thigh.R", false, false},
    {6, "shin.R", false, false},        {7, "foot.R", false, false},
    {8, "toe.R", false, false},         {9, "spine.001", false, false},
    {10, "spine.003", false, false},    {11, "upper_arm.L", false, false},
    {12, "forearm.L", false, false},    {13, "hand.L", false, false},
    {14, "f_middle.01.L", false, true}, {17, "upper_arm.R", false, false},
    {18, "forearm.R", false, false},    {19, "hand.R", false, false},
    {20, "f_middle.01.R", false, true}, {26, "spine.004", false, false},
    {27, "spine.006", false, false},    {28, "spine.006_end", false, true},
};

constexpr Convention CONVENTIONS[] = {
    {"Carnegie Mellon", "", CARNEGIE_MELLON, static_cast<int>(std::size(CARNEGIE_MELLON))},
    {"older motion-capture", "", OLDER_MOTION_CAPTURE,
     static_cast<int>(std::size(OLDER_MOTION_CAPTURE))},
    {"Mixamo", "mixamorig:", MIXAMO, static_cast<int>(std::size(MIXAMO))},
    {"3ds Max Biped", "Bip01 ", BIPED, static_cast<int>(std::size(BIPED))},
    {"Unreal", "", UNREAL, static_cast<int>(std::size(UNREAL))},
    {"Blender", "", BLENDER, static_cast<int>(std::size(BLENDER))},
};

// Names are compared without case and without separators: "Bip01 L Thigh", "bip01_l_thigh"
// and "Bip01-L-Thigh" are one joint.
std::string Folded(const std::string& name) {
    std::string folded;
    for (char c : name) {
        if (std::isalnum(static_cast<unsigned char>(c))) {
            folded += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
    }
    return folded;
}

int FindNamed(const BvhClip& clip, const std::string& name) {
    const int exact = clip.FindJoint(name);
    if (exact >= 0) {
        return exact;
    }
    const std::string wanted = Folded(name);
    for (std::size_t j = 0; j < clip.joints.size(); ++j) {
        if (Folded(clip.joints[j].name) == wanted) {
            return static_cast<int>(j);
        }
    }
    return -1;
}

std::string FullName(const Convention& convention, const PointName& point) {
    return std::string(convention.prefix) + point.joint;
}

// A point is found when its joint exists; an end site also needs the joint to have one.
// Mixamo files sometimes end the head in an end site instead of a "HeadTop_End" joint.
SourcePoint FindPoint(const BvhClip& clip, const Convention& convention, const PointName& point) {
    SourcePoint found;
    int joint = FindNamed(clip, FullName(convention, point));
    if (joint >= 0 && (!point.endSite || clip.joints[static_cast<size_t>(joint)].hasEndSite)) {
        found.joint = joint;
        found.endSite = point.endSite;
    } else if (point.playerJoint == 28) {
        int head = FindNamed(clip, std::string(convention.prefix) + "Head");
        if (head >= 0 && clip.joints[static_cast<size_t>(head)].hasEndSite) {
            found.joint = head;
            found.endSite = true;
        }
    }
    return found;
}

int NamesPresent(const BvhClip& clip, const Convention& convention) {
    int present = 0;
    for (int i = 0; i < convention.count; ++i) {
        present += FindNamed(clip, FullName(convention, convention.points[i])) >= 0 ? 1 : 0;
    }
    return present;
}

}  // namespace

Status MapSkeleton(const BvhClip& clip, SkeletonMap& map) {
    const Convention* best = nullptr;
    int bestPresent = 0;
    for (const Convention& convention : CONVENTIONS) {
        int present = NamesPresent(clip, convention);
        if (present > bestPresent) {
            best = &convention;
            bestPresent = present;
        }
    }
    if (best == nullptr) {
        return Status::Refuse(
            "its joint names follow no known convention (Carnegie Mellon, older "
            "motion-capture, Mixamo, 3ds Max Biped, Unreal, Blender)");
    }
    map = SkeletonMap{};
    map.convention = best->name;
    std::string missing;
    for (int i = 0; i < best->count; ++i) {
        const PointName& point = best->points[i];
        SourcePoint found = FindPoint(clip, *best, point);
        if (found.joint < 0 && !point.optional) {
            std::string name =
                FullName(*best, point) + (point.endSite ? " (with an End Site)" : "");
            if (missing.find(name) == std::string::npos) {
                missing += (missing.empty() ? "" : ", ") + name;
            }
        }
        map.points[point.playerJoint] = found;
    }
    if (!missing.empty()) {
        return Status::Refuse(std::string("it lacks joints the player needs (") + best->name +
                              " names): " + missing);
    }
    return {};
}

}  // namespace editor::mocap
