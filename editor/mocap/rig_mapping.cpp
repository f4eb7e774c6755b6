#include "editor/mocap/rig_mapping.h"

#include <algorithm>

#include "editor/mocap/joint_conventions.h"

namespace editor::mocap {

using namespace ::editor::model;

namespace {

// The player bone a source bone standing at each player joint moves: the bone that starts
// there and follows the limb (the toes' and fingertips' weight goes to the foot and hand).
constexpr int BONE_AT_JOINT[NUM_JOINTS] = {
    8,       1,       2,       3,       3,        // hip anchor, left hip, knee, ankle, toes
    5,       6,       7,       7,                 // right hip, knee, ankle, toes
    9,       25,                                  // lower back, upper back
    11,      12,      13,      13,      NO_BONE,  // left shoulder, elbow, wrist, fingertips, grip
    NO_BONE, 17,      18,      19,      19,       // bottom of bow, right arm
    NO_BONE, NO_BONE, NO_BONE, NO_BONE, NO_BONE,  // grip, staff and hellstaff
    26,      27,      27,                         // collar, base of skull, top of head
    NO_BONE, NO_BONE, NO_BONE, NO_BONE, NO_BONE,  // stored bow, armour
    NO_BONE, NO_BONE, NO_BONE, NO_BONE,           // armour tips, stored staff
};

BvhClip SkeletonAsClip(const std::vector<RigBone>& bones) {
    BvhClip clip;
    for (const RigBone& bone : bones) {
        BvhJoint joint;
        joint.name = bone.name;
        joint.parent = bone.parent;
        const bool hasParent = bone.parent >= 0 && bone.parent < static_cast<int>(bones.size());
        joint.offset = hasParent ? bone.position - bones[bone.parent].position : bone.position;
        clip.joints.push_back(joint);
    }
    return clip;
}

}  // namespace

int RigMapping::MatchedJoints() const {
    return static_cast<int>(
        std::count_if(sourceAtJoint.begin(), sourceAtJoint.end(), [](int s) { return s >= 0; }));
}

Status MapRig(const std::vector<RigBone>& bones, RigMapping& mapping) {
    mapping = RigMapping{};
    mapping.sourceAtJoint.fill(-1);
    SkeletonMap map;
    if (Status mapped = MapSkeleton(SkeletonAsClip(bones), map);
        !mapped && map.convention[0] == '\0') {
        return mapped;
    }
    mapping.convention = map.convention;
    std::vector<int> ownBone(bones.size(), NO_BONE);
    for (int j = 0; j < NUM_JOINTS; ++j) {
        const SourcePoint& point = map.points[j];
        if (point.joint < 0 || point.endSite) {
            continue;
        }
        mapping.sourceAtJoint[j] = point.joint;
        // The first joint a bone stands at decides (the hips before the toes that share it).
        if (ownBone[static_cast<std::size_t>(point.joint)] == NO_BONE) {
            ownBone[static_cast<std::size_t>(point.joint)] = BONE_AT_JOINT[j];
        }
    }
    mapping.playerBoneOf.assign(bones.size(), NO_BONE);
    for (std::size_t b = 0; b < bones.size(); ++b) {
        const int parent = bones[b].parent;
        const bool parentFirst = parent >= 0 && static_cast<std::size_t>(parent) < b;
        mapping.playerBoneOf[b] =
            ownBone[b] != NO_BONE
                ? ownBone[b]
                : (parentFirst ? mapping.playerBoneOf[static_cast<std::size_t>(parent)] : NO_BONE);
    }
    return {};
}

}  // namespace editor::mocap
