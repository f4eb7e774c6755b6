#include "editor/skeleton/skeleton_scene.h"

#include <memory>

#include "editor/model/model_document.h"
#include "editor/skeleton/dividing_plane.h"
#include "editor/skeleton/pose_math.h"
#include "editor/skeleton/posing.h"
#include "editor/skeleton/skeleton_activation.h"
#include "editor/skeleton/skeleton_posing.h"
#include "editor/skeleton/skeleton_walk.h"
#include "scene/scene.h"
#include "scene/shape.h"

namespace editor::skeleton {

using namespace ::editor::model;
using namespace ::scene;

namespace {
// Where two joints coincide the bone still needs a length and a direction: it points up.
constexpr double COINCIDENT_BONE_LENGTH = 1e-5;

void ApplyState(MeshPart& part, ActivationState state) {
    part.Show(state == ACTIVATION_OFF ? 0 : 1);
    part.SetDisplayMode(state == ACTIVATION_CONNECTING ? DISPLAY_CONNECTING : DISPLAY_NORMAL);
}

void CreateJointShape(ModelDocument& document, int j, const PoseVec& position) {
    JointPart& joint = document.joints[j];
    auto shape = std::make_unique<C3dShape>();
    shape->CreateSphere(JOINT_RADIUS, JOINT_SPHERE_BANDS);
    shape->SetName(jointTable[j].name);
    joint.position = DisplayFromPose(position);
    shape->SetPosition(joint.position, document.scene);
    joint.SetShape(std::move(shape));
    joint.Show(joint.visible);
}

void CreateBoneShape(ModelDocument& document, int b, const PoseVec& roll) {
    BonePart& bone = document.bones[b];
    auto shape = std::make_unique<C3dShape>();
    shape->CreateTube(BONE_RADIUS, BONE_RADIUS, 1.0, BONE_SIDES);
    shape->SetName(boneTable[b].name);
    bone.SetShape(std::move(shape));
    SetUpBoneFromJoints(document, bone, DisplayFromPose(roll));
    bone.Show(bone.visible);
}

void UnlinkShape(C3dShape* shape) {
    if (shape != nullptr && shape->GetParent() != nullptr) {
        shape->GetParent()->RemoveChild(shape);
    }
}
}  // namespace

Vector DisplayFromPose(const PoseVec& p) {
    return Vector(-p.x, p.y, p.z);
}

PoseVec PoseFromDisplay(const Vector& v) {
    return PoseVec{-static_cast<double>(v.x), static_cast<double>(v.y), static_cast<double>(v.z)};
}

void UpdateActivation(ModelDocument& document) {
    SkeletonActivation states = ComputeActivation(document.activeNodes);
    for (int j = 0; j < NUM_JOINTS; ++j) {
        ApplyState(document.joints[j], states.joints[j]);
    }
    for (int b = 0; b < NUM_BONES; ++b) {
        ApplyState(document.bones[b], states.bones[b]);
    }
}

void SetActiveNodes(ModelDocument& document, const uint32_t flags[NUM_MESH_NODES]) {
    for (int n = 0; n < NUM_MESH_NODES; ++n) {
        document.activeNodes[n] = flags[n];
    }
    UpdateActivation(document);
}

void GetActiveNodes(const ModelDocument& document, uint32_t flags[NUM_MESH_NODES]) {
    for (int n = 0; n < NUM_MESH_NODES; ++n) {
        flags[n] = document.activeNodes[n];
    }
}

Vector JointScenePosition(const ModelDocument& document, const JointPart* joint) {
    if (joint == nullptr) {
        return Vector(0.0, 0.0, 0.0);
    }
    C3dShape* shape = joint->Shape();
    return shape != nullptr ? shape->GetPosition(document.scene) : joint->position;
}

void SetUpBoneFromJoints(const ModelDocument& document, BonePart& bone, const Vector& up) {
    Vector start = JointScenePosition(document, bone.startJoint);
    Vector end = JointScenePosition(document, bone.endJoint);
    Vector along = Vector::Subtract(end, start);
    bone.length = along.Length();
    if (start == end) {
        bone.length = COINCIDENT_BONE_LENGTH;
        along = Vector(0.0, 0.0, COINCIDENT_BONE_LENGTH);
    }
    along.Normalize();
    bone.position = start;
    bone.direction = along;
    bone.up = up;
    PlaceBone(bone);
}

void PlaceBone(BonePart& bone) {
    bone.ApplyPlacement();
    ScaleBoneShape(bone, bone.length);
}

void ScaleBoneShape(BonePart& bone, double length) {
    C3dShape* shape = bone.Shape();
    if (shape == nullptr) {
        return;
    }
    C3dMatrix transform = shape->GetTransform();
    Vector axis = transform.Column(2);
    if (!axis.Normalize()) {
        return;
    }
    // A zero scale would make the frame singular and lose its axis for good.
    double drawn = length > COINCIDENT_BONE_LENGTH ? length : COINCIDENT_BONE_LENGTH;
    transform.SetColumn(2, Vector::Scaled(axis, drawn));
    shape->SetTransform(transform, C3dCombine::Replace);
}

void BuildSkeleton(Posing& posing) {
    ModelDocument& document = posing.Document();
    UpdateActivation(document);
    bool fromPose = document.hasDefaultPose != 0;
    PoseVec positions[NUM_JOINTS];
    if (fromPose) {
        DefaultPoseJointPositions(document.defaultPose, positions);
    } else {
        BuiltInJointPositions(positions);
    }
    int cursor = -1;
    int joint = NO_JOINT;
    int parent = NO_JOINT;
    while (NextJoint(joint, parent, true, cursor)) {
        CreateJointShape(document, joint, positions[joint]);
    }
    int bone = NO_BONE;
    while (NextBone(bone, true, cursor)) {
        PoseVec roll =
            fromPose ? PoseRollVector(document.defaultPose, bone) : BuiltInRollVector(bone);
        CreateBoneShape(document, bone, roll);
    }
    if (!fromPose) {
        posing.Capture(document.defaultPose);
        document.hasDefaultPose = 1;
    }
    CreateDividingPlane(document);
}

void LinkSkeleton(ModelDocument& document, C3dFrame& root) {
    int cursor = -1;
    int joint = NO_JOINT;
    int parent = NO_JOINT;
    while (NextJoint(joint, parent, true, cursor)) {
        C3dShape* shape = document.joints[joint].Shape();
        C3dFrame* above = parent < 0 ? &root : document.joints[parent].Shape();
        if (shape != nullptr && above != nullptr) {
            above->AddChild(shape);
        }
    }
    int bone = NO_BONE;
    while (NextBone(bone, true, cursor)) {
        C3dShape* shape = document.bones[bone].Shape();
        C3dShape* end = document.joints[boneTable[bone].endJoint].Shape();
        if (shape != nullptr && end != nullptr) {
            end->AddChild(shape);
        }
    }
    if (document.dividingPlane.Shape() != nullptr) {
        root.AddChild(document.dividingPlane.Shape());
    }
}

void UnlinkSkeleton(ModelDocument& document) {
    UnlinkShape(document.dividingPlane.Shape());
    for (BonePart& bone : document.bones) {
        UnlinkShape(bone.Shape());
    }
    int cursor = -1;
    int joint = NO_JOINT;
    int parent = NO_JOINT;
    while (NextJoint(joint, parent, false, cursor)) {
        UnlinkShape(document.joints[joint].Shape());
    }
}

}  // namespace editor::skeleton
