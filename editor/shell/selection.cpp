#include "editor/shell/selection.h"

#include <cmath>
#include <vector>

#include "editor/model/model_document.h"
#include "editor/model/triangle_group_table.h"
#include "editor/shell/group_view.h"
#include "editor/shell/main_frame.h"
#include "editor/skeleton/skeleton_scene.h"
#include "scene/scene.h"
#include "scene/shape.h"
#include "scene/viewport.h"

namespace editor::shell {

using namespace ::editor::model;
using namespace ::editor::skeleton;
using namespace ::scene;

namespace {

// Pixels around a joint's drawn sphere within which a press takes the joint.
constexpr double kJointPickSlack = 4.0;

bool HasMeshVisual(const C3dShape* shape) {
    return shape->GetVisual() != nullptr;
}

// A joint drawn near a press: where its sphere shows and how far from the camera it lies.
struct JointSeen {
    C3dShape* shape;
    double distance;  // pixels from the press to the sphere's centre
    double radius;    // the sphere's drawn radius in pixels
    double depth;     // distance along the camera's view
};

// The joints whose spheres are drawn within a few pixels of (x, y).
std::vector<JointSeen> JointsNear(CMainFrame& frame, int x, int y) {
    std::vector<JointSeen> near;
    const C3dViewport* viewport = frame.View().GetViewport();
    const C3dScene* scene = frame.Scene();
    if (viewport == nullptr || scene == nullptr || viewport->GetCamera() == nullptr) {
        return near;
    }
    const Vector cameraUp = viewport->GetCamera()->GetWorldTransform().Column(1);
    for (JointPart& joint : frame.Document().joints) {
        C3dShape* shape = joint.Shape();
        if (shape == nullptr || joint.visible == 0 || !scene->IsAncestorOf(shape)) {
            continue;
        }
        const Vector centre = shape->LocalToWorld(Vector(0.0, 0.0, 0.0));
        const C3dVector4 seen = viewport->Transform(centre);
        const C3dVector4 rim = viewport->Transform(
            Vector::Add(centre, Vector::Scaled(cameraUp, JOINT_RADIUS / cameraUp.Length())));
        if (seen.w <= 0.0 || rim.w <= 0.0) {
            continue;
        }
        const double cx = seen.x / seen.w;
        const double cy = seen.y / seen.w;
        const double radius = std::hypot(rim.x / rim.w - cx, rim.y / rim.w - cy);
        const double distance = std::hypot(x - cx, y - cy);
        if (distance <= radius + kJointPickSlack) {
            near.push_back({shape, distance, radius, seen.w});
        }
    }
    return near;
}

}  // namespace

Selection::Selection(CMainFrame& frame) : frame_(frame) {}

Selection::~Selection() = default;

MeshPart* Selection::PartOf(const C3dShape* shape) const {
    if (shape == nullptr) {
        return nullptr;
    }
    ModelDocument& document = frame_.Document();
    if (JointPart* joint = document.JointByShape(shape)) {
        return joint;
    }
    if (BonePart* bone = document.BoneByShape(shape)) {
        return bone;
    }
    for (MeshPart* part :
         {&document.dividingPlane, static_cast<MeshPart*>(&document.generatedModel),
          &document.model, &document.prop}) {
        if (part->Shape() == shape) {
            return part;
        }
    }
    return nullptr;
}

bool Selection::IsSelectable(C3dShape* shape) const {
    if (decorations_.Contains(shape)) {
        return false;
    }
    MeshPart* part = PartOf(shape);
    return part == nullptr || part->visible != 0;
}

// The nearest selectable mesh under the click when the front one cannot be selected.
C3dShape* Selection::SelectableBehind(int x, int y) const {
    for (const C3dPickHit& hit : frame_.View().PickAll(x, y)) {
        if (hit.shape != nullptr && IsSelectable(hit.shape) && HasMeshVisual(hit.shape)) {
            return hit.shape;
        }
    }
    return nullptr;
}

// The joint a press at (x, y) takes. Joints are small and sit inside the mesh, so they win over
// the faces in front of them. Where several are near (a side view lines up both arms and the
// spine), the selected joint comes first, so a joint picked in one view is dragged in the next;
// then the front-most sphere under the pointer, the one the user sees; then the nearest.
C3dShape* Selection::JointNear(int x, int y) const {
    const std::vector<JointSeen> near = JointsNear(frame_, x, y);
    for (const JointSeen& joint : near) {
        if (joint.shape == shape_) {
            return joint.shape;
        }
    }
    const JointSeen* best = nullptr;
    for (const JointSeen& joint : near) {
        if (joint.distance <= joint.radius &&
            (best == nullptr || best->distance > best->radius || joint.depth < best->depth)) {
            best = &joint;
        } else if ((best == nullptr || best->distance > best->radius) &&
                   (best == nullptr || joint.distance < best->distance)) {
            best = &joint;
        }
    }
    return best != nullptr ? best->shape : nullptr;
}

bool Selection::JointSelected() const {
    return shape_ != nullptr && frame_.Document().JointByShape(shape_) != nullptr;
}

void Selection::Pick(C3dShape* shape, int x, int y) {
    if (C3dShape* joint = JointNear(x, y)) {
        hitFace_ = -1;
        Select(joint);
        return;
    }
    if (shape != nullptr && decorations_.Contains(shape) && JointSelected()) {
        // The marks around a selected joint are part of what the user presses on.
        hitFace_ = -1;
        Select(shape_);
        return;
    }
    if (shape == nullptr || decorations_.Contains(shape)) {
        Select(nullptr);
        return;
    }
    if (!IsSelectable(shape) || !HasMeshVisual(shape)) {
        shape = SelectableBehind(x, y);
        if (shape == nullptr) {
            Select(nullptr);
            return;
        }
    }
    HitFace(*shape, x, y);
    Select(shape);
}

// Finds the face under the click.
void Selection::HitFace(C3dShape& shape, int x, int y) {
    hitFace_ = -1;
    const C3dViewport* viewport = frame_.View().GetViewport();
    if (viewport == nullptr) {
        return;
    }
    int face = -1;
    Vector point(0.0, 0.0, 0.0);
    if (shape.HitTest(x, y, *viewport, &face, &point)) {
        TakeHit(shape, face, point);
    }
}

// Notes the face hit; a face of the model joins or leaves the temporary group.
void Selection::TakeHit(C3dShape& shape, int face, const Vector& point) {
    hitFace_ = face;
    hitPoint_ = point;
    MeshPart& model = frame_.Document().model;
    TriangleGroupTable* groups = model.mesh.groupTable.get();
    if (&shape != model.Shape() || face == -1) {
        return;
    }
    pickedFace_ = face;
    if (groups != nullptr) {
        TriangleSet& current = groups->temporaryGroup;
        if (current.Test(face)) {
            current.ClearRange(face, 1);
        } else {
            current.SetRange(face, 1);
        }
    }
}

void Selection::PickFace(C3dShape* shape, int face, const Vector& point) {
    hitFace_ = -1;
    if (shape != nullptr && face >= 0) {
        TakeHit(*shape, face, point);
    }
    Select(shape);
}

void Selection::Select(C3dShape* shape) {
    decorations_.Remove();
    RestoreLook(shape_);
    shape_ = shape;
    Redecorate();
    Report(shape);
}

void Selection::RestoreLook(C3dShape* previous) {
    if (previous == nullptr) {
        return;
    }
    MeshPart* part = PartOf(previous);
    ModelDocument& document = frame_.Document();
    bool skeleton = part != nullptr && (part->kind == PART_JOINT || part->kind == PART_BONE);
    if (skeleton || part == &document.model) {
        part->displayFlags[1] = 0;
        part->Refresh();
        if (part == &document.model) {
            RefreshGroupDisplay();
        }
    } else {
        previous->SetColor(1.0, 1.0, 1.0);
    }
}

void Selection::Report(C3dShape* shape) {
    if (shape == nullptr) {
        frame_.SetStatus("No selection");
        return;
    }
    ModelDocument& document = frame_.Document();
    bool meshHit = shape == document.model.Shape() || shape == document.generatedModel.Shape();
    if (meshHit && hitFace_ >= 0) {
        frame_.SetStatus("Selected: %s (%d @ %3.1f,%3.1f,%3.1f)", shape->GetName().c_str(),
                         hitFace_, hitPoint_.x, hitPoint_.y, hitPoint_.z);
        if (shape == document.model.Shape()) {
            RefreshGroupDisplay();
        }
        return;
    }
    Highlight(*shape);
    frame_.SetStatus("Selected: %s", shape->GetName().c_str());
}

void Selection::Highlight(C3dShape& shape) {
    ModelDocument& document = frame_.Document();
    MeshPart* part = PartOf(&shape);
    if (part == &document.model) {
        part->displayFlags[1] = 1;
        RefreshGroupDisplay();
        return;
    }
    if (part != nullptr && part->kind == PART_BONE) {
        BonePart& bone = *static_cast<BonePart*>(part);
        bone_ = static_cast<int32_t>(bone.boneIndex);
        if (frame_.options.bindingsView && document.model.mesh.groupTable != nullptr) {
            ShowTemporaryGroup(frame_, bone.boundTriangles);
        }
    }
    if (part != nullptr && part->kind != PART_JOINT && part->kind != PART_BONE) {
        part = nullptr;
    }
    if (part != nullptr) {
        part->displayFlags[1] = 1;
    }
    shape.SetColor(1.0, 0.0, 0.0);
}

// The model's faces in their base colour, with the temporary group's triangles in blue.
void Selection::RefreshGroupDisplay() {
    MeshPart& model = frame_.Document().model;
    TriangleGroupTable* groups = model.mesh.groupTable.get();
    if (model.Shape() != nullptr && groups != nullptr) {
        ShowTemporaryGroup(frame_, groups->temporaryGroup);
    }
}

void Selection::Redecorate() {
    decorations_.Remove();
    if (shape_ == nullptr) {
        return;
    }
    if (frame_.options.viewSelection) {
        decorations_.ShowBox(*shape_);
    }
    if (frame_.options.viewHitPoint && hitFace_ >= 0) {
        decorations_.ShowHitPoint(*shape_, hitFace_, hitPoint_);
    }
}

}  // namespace editor::shell
