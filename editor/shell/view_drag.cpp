#include "editor/shell/view_drag.h"

#include <cstdlib>
#include <optional>

#include "editor/model/model_document.h"
#include "editor/shell/main_frame.h"
#include "editor/skeleton/drag_math.h"
#include "editor/skeleton/skeleton_drag.h"
#include "editor/skeleton/skeleton_scene.h"
#include "scene/scene.h"
#include "scene/shape.h"
#include "scene/stage.h"
#include "scene/viewport.h"

namespace editor::shell {

using namespace ::editor::skeleton;

namespace {

PoseVec ToPose(const Vector& v) {
    return PoseVec{v.x, v.y, v.z};
}

// The view's ray through a pixel, in the scene's coordinates.
PoseRay SceneRay(const C3dViewport& viewport, const C3dFrame& scene, double x, double y) {
    const C3dRay ray = viewport.GetRay(x, y);
    const Vector origin = scene.WorldToLocal(ray.origin);
    const Vector ahead = scene.WorldToLocal(Vector::Add(ray.origin, ray.direction));
    return PoseRay{ToPose(origin), ToPose(ahead) - ToPose(origin)};
}

// The camera's line of sight in the scene's coordinates: the normal of the drag plane.
PoseVec SceneViewDirection(const C3dViewport& viewport, const C3dFrame& scene) {
    return SceneRay(viewport, scene, viewport.GetWidth() / 2.0, viewport.GetHeight() / 2.0)
        .direction;
}

}  // namespace

bool ViewDrag::IsJoint(const C3dShape& shape) const {
    return frame_.Document().JointByShape(&shape) != nullptr;
}

bool ViewDrag::MayDrag(const C3dShape& shape, const C3dShape* selectedBefore) const {
    ModelDocument& document = frame_.Document();
    if (IsJoint(shape)) {
        return true;
    }
    if (&shape != selectedBefore) {
        return false;  // the first press on the model, prop or plane only selects it
    }
    if (&shape == document.model.Shape()) {
        return !frame_.options.lockPosition;
    }
    return &shape == document.prop.Shape() || &shape == document.dividingPlane.Shape();
}

bool ViewDrag::Begin(int x, int y, const C3dShape* selectedBefore) {
    held_ = nullptr;
    C3dShape* shape = frame_.Selection().Shape();
    const C3dViewport* viewport = frame_.View().GetViewport();
    const C3dScene* scene = frame_.Scene();
    if (shape == nullptr || viewport == nullptr || scene == nullptr ||
        !MayDrag(*shape, selectedBefore)) {
        return false;
    }
    ModelDocument& document = frame_.Document();
    Vector grabbed;
    if (JointPart* joint = document.JointByShape(shape)) {
        grabbed = JointScenePosition(document, joint);
    } else if (frame_.Selection().HitFace() >= 0) {
        grabbed = scene->WorldToLocal(shape->LocalToWorld(frame_.Selection().HitPoint()));
    } else {
        grabbed = shape->GetPosition(scene);
    }
    const C3dVector4 seen = viewport->Transform(scene->LocalToWorld(grabbed));
    if (seen.w <= 0.0) {
        return false;  // behind the camera: nothing to hold on to
    }
    anchor_ = ToPose(grabbed);
    offsetX_ = seen.x / seen.w - x;
    offsetY_ = seen.y / seen.w - y;
    pressX_ = x;
    pressY_ = y;
    started_ = IsJoint(*shape);
    held_ = shape;
    return true;
}

void ViewDrag::MoveTo(int x, int y) {
    const C3dViewport* viewport = frame_.View().GetViewport();
    const C3dScene* scene = frame_.Scene();
    if (held_ == nullptr || viewport == nullptr || scene == nullptr) {
        return;
    }
    if (held_ != frame_.Selection().Shape()) {
        held_ = nullptr;  // a command changed the selection (and may have deleted the shape)
        return;
    }
    if (!started_) {
        if (std::abs(x - pressX_) <= kObjectClickSlack &&
            std::abs(y - pressY_) <= kObjectClickSlack) {
            return;
        }
        started_ = true;
    }
    ModelDocument& document = frame_.Document();
    const PoseRay ray = SceneRay(*viewport, *scene, x + offsetX_, y + offsetY_);
    JointPart* joint = document.JointByShape(held_);
    std::optional<JointSphere> sphere;
    if (joint != nullptr) {
        sphere = RigidSphereOf(document, *joint);
    }
    PoseVec wanted = anchor_;
    if (sphere) {
        wanted = RaySpherePoint(ray, sphere->centre, sphere->radius, anchor_);
    } else if (std::optional<PoseVec> onPlane =
                   RayPlanePoint(ray, anchor_, SceneViewDirection(*viewport, *scene))) {
        wanted = *onPlane;
    } else {
        return;
    }
    const PoseVec move = wanted - anchor_;
    ApplyDrag(document, *held_, SceneMotion{move.x, move.y, move.z}, frame_.options.lockPosition);
    anchor_ = joint != nullptr ? ToPose(JointScenePosition(document, joint)) : wanted;
    frame_.RequestRedraw();
}

}  // namespace editor::shell
