#include "editor/skeleton/skeleton_posing.h"

#include <cstring>

#include "editor/model/model_document.h"
#include "editor/skeleton/skeleton_scene.h"
#include "editor/skeleton/skeleton_walk.h"
#include "scene/scene.h"
#include "scene/shape.h"

namespace editor::skeleton {

using namespace ::editor::model;
using namespace ::scene;

namespace {
void CaptureOneBone(const ModelDocument& document, PoseRecord& record, int b) {
    const BonePart& bone = document.bones[b];
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
}
}  // namespace

void ReadPose(const ModelDocument& document, PoseRecord& record) {
    std::memset(record.name, 0, sizeof record.name);
    for (int b = 0; b < NUM_BONES; ++b) {
        CaptureOneBone(document, record, b);
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

}  // namespace editor::skeleton
