#include "editor/mocap/joint_conventions.h"

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

constexpr Convention CONVENTIONS[] = {
    {"Carnegie Mellon", "", CARNEGIE_MELLON, static_cast<int>(std::size(CARNEGIE_MELLON))},
    {"older motion-capture", "", OLDER_MOTION_CAPTURE,
     static_cast<int>(std::size(OLDER_MOTION_CAPTURE))},
    {"Mixamo", "mixamorig:", MIXAMO, static_cast<int>(std::size(MIXAMO))},
};

std::string FullName(const Convention& convention, const PointName& point) {
    return std::string(convention.prefix) + point.joint;
}

// A point is found when its joint exists; an end site also needs the joint to have one.
// Mixamo files sometimes end the head in an end site instead of a "HeadTop_End" joint.
SourcePoint FindPoint(const BvhClip& clip, const Convention& convention, const PointName& point) {
    SourcePoint found;
    int joint = clip.FindJoint(FullName(convention, point));
    if (joint >= 0 && (!point.endSite || clip.joints[static_cast<size_t>(joint)].hasEndSite)) {
        found.joint = joint;
        found.endSite = point.endSite;
    } else if (point.playerJoint == 28) {
        int head = clip.FindJoint(std::string(convention.prefix) + "Head");
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
        present += clip.FindJoint(FullName(convention, convention.points[i])) >= 0 ? 1 : 0;
    }
    return present;
}

}  // namespace

bool MapSkeleton(const BvhClip& clip, SkeletonMap& map, std::string& error) {
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
        error =
            "its joint names follow no known convention (Carnegie Mellon, older "
            "motion-capture, Mixamo)";
        return false;
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
        error =
            std::string("it lacks joints the player needs (") + best->name + " names): " + missing;
        return false;
    }
    return true;
}

}  // namespace editor::mocap
