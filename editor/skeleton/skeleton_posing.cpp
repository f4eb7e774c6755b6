#include "editor/skeleton/skeleton_posing.h"

#include <cstring>

#include "editor/model/model_document.h"
#include "editor/skeleton/pose_observer.h"
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

void CaptureOneBone(ModelDocument& document, PoseRecord& record, int b, bool storeLocal,
                    PoseObserver* observer) {
    BonePart& bone = document.bones[b];
    if (bone.Shape() == nullptr) {
        record.startPositions[b] = PoseVec{};
        record.angles[b] = PoseAngles{};
        return;
    }
    Vector direction;
    Vector up;
    bone.Shape()->GetOrientation(document.scene, direction, up);
    PoseVec start = PoseFromDisplay(JointScenePosition(document, bone.startJoint));
    PoseVec end = PoseFromDisplay(JointScenePosition(document, bone.endJoint));
    CaptureBone(record, b, start, end, PoseFromDisplay(up));
    if (storeLocal && observer != nullptr) {
        observer->StoreLocalCoordinates(document, b, start, InversePoseRotation(record.angles[b]));
    }
}
}  // namespace

void ApplyPose(ModelDocument& document, const PoseRecord& record, PoseObserver* observer) {
    UpdateActivation(document);
    if (document.normalizePoses == 0) {
        BoneLengths implied;
        BoneLengthsFromPose(record, implied);
        SetBoneLengths(document, implied);
    }
    PlaceJoints(document, record);
    SetUpBones(document, record);
    if (observer != nullptr) {
        observer->UpdateGeneratedModel(document);
    }
}

void CapturePose(ModelDocument& document, PoseRecord& record, bool storeLocal,
                 PoseObserver* observer) {
    std::memset(record.name, 0, sizeof record.name);
    for (int b = 0; b < NUM_BONES; ++b) {
        CaptureOneBone(document, record, b, storeLocal, observer);
    }
    if (document.normalizePoses != 0) {
        BoneLengths defaults;
        DefaultBoneLengths(defaults);
        NormalizeStartPositions(record, defaults);
        ApplyPose(document, record, observer);
    }
}

void SetBoneLengths(ModelDocument& document, const BoneLengths& lengths) {
    for (int b = 0; b < NUM_BONES; ++b) {
        document.bones[b].length = lengths[b];
        ScaleBoneShape(document.bones[b], lengths[b]);
    }
}

void GetBoneLengths(const ModelDocument& document, BoneLengths& lengths) {
    for (int b = 0; b < NUM_BONES; ++b) {
        lengths[b] = document.bones[b].length;
    }
}

double LegHeightRatio(const ModelDocument& document, BoneLengths& scaled) {
    BoneLengths current;
    GetBoneLengths(document, current);
    return LegHeightRatio(current, scaled);
}

void AimBone(ModelDocument& document, JointPart& joint) {
    int b = BoneEndingAt(static_cast<int>(joint.jointIndex));
    if (b == NO_BONE) {
        return;
    }
    BonePart& bone = document.bones[b];
    Vector start = JointScenePosition(document, bone.startJoint);
    Vector end = JointScenePosition(document, bone.endJoint);
    Vector along = Vector::Subtract(end, start);
    double length = along.Length();
    // Joints on top of each other give no direction; the bone keeps its old one.
    if (along.Normalize()) {
        bone.direction = along;
    }
    bone.ApplyPlacement();
    bone.length = length;
    ScaleBoneShape(bone, length);
}

void RestoreDefaults(ModelDocument& document, PoseObserver* observer) {
    BoneLengths defaults;
    DefaultBoneLengths(defaults);
    SetBoneLengths(document, defaults);
    ApplyPose(document, document.defaultPose, observer);
}

}  // namespace editor::skeleton
