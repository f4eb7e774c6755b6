#include "editor/skeleton/posing.h"

#include "editor/model/model_document.h"
#include "editor/skeleton/pose_follower.h"
#include "editor/skeleton/pose_math.h"
#include "editor/skeleton/skeleton_posing.h"
#include "editor/skeleton/skeleton_scene.h"
#include "editor/skeleton/skeleton_walk.h"
#include "scene/scene.h"
#include "scene/shape.h"

namespace editor::skeleton {

using namespace ::editor::model;
using namespace ::scene;

namespace {

void PlaceJoints(ModelDocument& document, const PoseRecord& record) {
    BoneLengths lengths;
    GetBoneLengths(document, lengths);
    PoseVec positions[NUM_JOINTS];
    PoseJointPositions(record, lengths, positions);
    // Parents first: a child placed relative to the scene stays put when its parent moves on.
    for (const JointOrderEntry& entry : jointOrder) {
        JointPart& joint = document.joints[entry.joint];
        joint.position = DisplayFromPose(positions[entry.joint]);
        if (joint.Shape() != nullptr) {
            joint.Shape()->SetPosition(joint.position, document.scene);
        }
    }
}

void SetUpBones(ModelDocument& document, const PoseRecord& record) {
    int cursor = -1;
    int bone = NO_BONE;
    while (NextBone(bone, true, cursor)) {
        Vector up = DisplayFromPose(PoseRollVector(record, bone));
        SetUpBoneFromJoints(document, document.bones[bone], up);
    }
}

}  // namespace

void Posing::Apply(const PoseRecord& record) {
    UpdateActivation(document_);
    if (document_.normalizePoses == 0) {
        BoneLengths implied;
        BoneLengthsFromPose(record, implied);
        SetBoneLengths(document_, implied);
    }
    PlaceJoints(document_, record);
    SetUpBones(document_, record);
    Follow();
}

void Posing::Capture(PoseRecord& record) {
    ReadPose(document_, record);
    if (document_.normalizePoses != 0) {
        BoneLengths defaults;
        DefaultBoneLengths(defaults);
        NormalizeStartPositions(record, defaults);
        Apply(record);
    }
}

void Posing::RestoreDefaults() {
    BoneLengths defaults;
    DefaultBoneLengths(defaults);
    SetBoneLengths(document_, defaults);
    Apply(document_.defaultPose);
}

void Posing::Follow() {
    follower_.FollowPose(document_);
}

}  // namespace editor::skeleton
