#include "editor/skeleton/skeleton_drag.h"

#include "editor/model/model_document.h"
#include "editor/skeleton/skeleton_posing.h"
#include "editor/skeleton/skeleton_scene.h"
#include "scene/scene.h"
#include "scene/shape.h"

namespace editor::skeleton {

using namespace ::editor::model;
using namespace ::scene;

namespace {
PoseVec ToDoubles(const Vector& v) {
    return PoseVec{static_cast<double>(v.x), static_cast<double>(v.y), static_cast<double>(v.z)};
}

Vector ToVector(const PoseVec& v) {
    return Vector(v.x, v.y, v.z);
}

Vector Rotated(const Rotation3& rotation, const Vector& v) {
    return ToVector(rotation * ToDoubles(v));
}

void MoveJoint(ModelDocument& document, JointPart& joint, const PoseVec& move) {
    C3dShape* shape = joint.Shape();
    int b = BoneEndingAt(static_cast<int>(joint.jointIndex));
    BonePart* bone = b == NO_BONE ? nullptr : &document.bones[b];
    if (bone != nullptr) {
        bone->CapturePlacement();
    }
    PoseVec current = ToDoubles(shape->GetPosition(document.scene));
    PoseVec wanted = current + move;
    if (document.rigidBones != 0 && bone != nullptr) {
        PoseVec parent = ToDoubles(JointScenePosition(document, bone->startJoint));
        wanted = RigidDragPosition(wanted, parent, bone->length, current);
    }
    shape->SetPosition(ToVector(wanted), document.scene);
}

void Turn(C3dFrame& object, const C3dFrame* reference, const SceneMotion& motion, bool rollOnly) {
    if (motion.rx == 0.0 && motion.ry == 0.0 && motion.rz == 0.0) {
        return;
    }
    Rotation3 rotation = DragRotation(motion);
    Vector direction;
    Vector up;
    object.GetOrientation(reference, direction, up);
    if (!rollOnly) {
        direction = Rotated(rotation, direction);
    }
    up = Rotated(rotation, up);
    object.SetOrientation(direction, up, reference);
}
}  // namespace

void ApplyDrag(ModelDocument& document, C3dFrame& object, const SceneMotion& motion,
               bool lockPosition) {
    BonePart* bone = document.BoneByShape(&object);
    JointPart* joint = bone == nullptr ? document.JointByShape(&object) : nullptr;
    PoseVec move{motion.dx, motion.dy, motion.dz};
    if (joint != nullptr && joint->Shape() != nullptr) {
        MoveJoint(document, *joint, move);
    } else if (bone == nullptr) {
        if (lockPosition && &object == document.model.Shape()) {
            return;  // a locked model neither moves nor turns
        }
        PoseVec at = ToDoubles(object.GetPosition(document.scene)) + move;
        object.SetPosition(ToVector(at), document.scene);
    }
    Turn(object, document.scene, motion, bone != nullptr);
    if (joint != nullptr) {
        AimBone(document, *joint);
    } else if (bone != nullptr) {
        ScaleBoneShape(*bone, bone->length);
    }
}

std::optional<JointSphere> RigidSphereOf(const ModelDocument& document, const JointPart& joint) {
    const int b = BoneEndingAt(static_cast<int>(joint.jointIndex));
    if (document.rigidBones == 0 || b == NO_BONE) {
        return std::nullopt;
    }
    const BonePart& bone = document.bones[b];
    return JointSphere{ToDoubles(JointScenePosition(document, bone.startJoint)), bone.length};
}

void HipsToOrigin(ModelDocument& document) {
    C3dShape* hips = document.joints[ROOT_JOINT].Shape();
    if (hips == nullptr) {
        return;
    }
    Vector origin(0.0, 0.0, 0.0);
    Vector hipsAt = hips->LocalToWorld(origin);
    hips->SetPosition(origin);
    C3dShape* model = document.model.Shape();
    if (model != nullptr) {
        Vector modelAt = model->LocalToWorld(origin);
        model->SetPosition(Vector::Subtract(modelAt, hipsAt));
    }
}

}  // namespace editor::skeleton
