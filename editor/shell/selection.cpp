// Picking and the selection: what a click selects, how the selection looks and what the status
// line says; deleting, mirroring and turning the selected model or prop; the selection marks'
// toggles; stepping through the eligible bones.
#include <cmath>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "editor/model/model_document.h"
#include "editor/model/triangle_group_table.h"
#include "editor/shell/command_ids.h"
#include "editor/shell/command_router.h"
#include "editor/shell/group_view.h"
#include "editor/shell/main_frame.h"
#include "editor/shell/model_reshape.h"
#include "editor/shell/selection_decorations.h"
#include "editor/skeleton/bone_stepping.h"
#include "editor/skeleton/skeleton_scene.h"
#include "scene/scene.h"
#include "scene/shape.h"
#include "scene/viewport.h"

namespace editor::shell {

using namespace ::editor::model;
using namespace ::editor::skeleton;
using namespace ::scene;

namespace {

enum class Axis { X, Y, Z };

// Pixels around a joint's drawn sphere within which a press takes the joint.
constexpr double kJointPickSlack = 4.0;

// A quarter turn about a scene axis.
Vector QuarterTurn(const Vector& v, Axis axis) {
    switch (axis) {
        case Axis::X:
            return Vector(v.x, v.z, -v.y);
        case Axis::Y:
            return Vector(-v.z, v.y, v.x);
        case Axis::Z:
            return Vector(v.y, -v.x, v.z);
    }
    return v;
}

struct SelectionArea {
    explicit SelectionArea(CMainFrame& frame) : frame(frame) {}

    ModelDocument& Document() { return frame.Document(); }

    // The document part drawn by a shape, if any.
    MeshPart* PartOf(const C3dShape* shape) {
        if (shape == nullptr) {
            return nullptr;
        }
        ModelDocument& document = Document();
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

    bool IsSelectable(C3dShape* shape) {
        if (decorations.Contains(shape)) {
            return false;
        }
        MeshPart* part = PartOf(shape);
        return part == nullptr || part->visible != 0;
    }

    static bool HasMeshVisual(const C3dShape* shape) { return shape->GetVisual() != nullptr; }

    // The nearest selectable mesh under the click when the front one cannot be selected.
    C3dShape* SelectableBehind(int x, int y) {
        for (const C3dPickHit& hit : frame.View().PickAll(x, y)) {
            if (hit.shape != nullptr && IsSelectable(hit.shape) && HasMeshVisual(hit.shape)) {
                return hit.shape;
            }
        }
        return nullptr;
    }

    // A joint drawn near a press: where its sphere shows and how far from the camera it lies.
    struct JointSeen {
        C3dShape* shape;
        double distance;  // pixels from the press to the sphere's centre
        double radius;    // the sphere's drawn radius in pixels
        double depth;     // distance along the camera's view
    };

    // The joints whose spheres are drawn within a few pixels of (x, y).
    std::vector<JointSeen> JointsNear(int x, int y) {
        std::vector<JointSeen> near;
        const C3dViewport* viewport = frame.View().GetViewport();
        const C3dScene* scene = frame.Scene();
        if (viewport == nullptr || scene == nullptr || viewport->GetCamera() == nullptr) {
            return near;
        }
        const Vector cameraUp = viewport->GetCamera()->GetWorldTransform().Column(1);
        for (JointPart& joint : Document().joints) {
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

    // The joint a press at (x, y) takes. Joints are small and sit inside the mesh, so they win
    // over the faces in front of them. Where several are near (a side view lines up both arms
    // and the spine), the selected joint comes first, so a joint picked in one view is dragged
    // in the next; then the front-most sphere under the pointer, the one the user sees; then
    // the nearest.
    C3dShape* JointNear(int x, int y) {
        const std::vector<JointSeen> near = JointsNear(x, y);
        for (const JointSeen& joint : near) {
            if (joint.shape == frame.selectedObject) {
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

    bool JointSelected() {
        return frame.selectedObject != nullptr &&
               Document().JointByShape(frame.selectedObject) != nullptr;
    }

    void Pick(C3dShape* shape, int x, int y) {
        if (C3dShape* joint = JointNear(x, y)) {
            frame.hitTriangle = -1;
            frame.Select(joint);
            return;
        }
        if (shape != nullptr && decorations.Contains(shape) && JointSelected()) {
            // The marks around a selected joint are part of what the user presses on.
            frame.hitTriangle = -1;
            frame.Select(frame.selectedObject);
            return;
        }
        if (shape == nullptr || decorations.Contains(shape)) {
            frame.Select(nullptr);
            return;
        }
        if (!IsSelectable(shape) || !HasMeshVisual(shape)) {
            shape = SelectableBehind(x, y);
            if (shape == nullptr) {
                frame.Select(nullptr);
                return;
            }
        }
        HitFace(*shape, x, y);
        frame.Select(shape);
    }

    // Finds the face under the click.
    void HitFace(C3dShape& shape, int x, int y) {
        frame.hitTriangle = -1;
        const C3dViewport* viewport = frame.View().GetViewport();
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
    void TakeHit(C3dShape& shape, int face, const Vector& point) {
        frame.hitTriangle = face;
        frame.hitPoint = point;
        TriangleGroupTable* groups = Document().model.mesh.groupTable.get();
        if (&shape != Document().model.Shape() || face == -1) {
            return;
        }
        frame.pickedFace = face;
        if (groups != nullptr) {
            TriangleSet& current = groups->temporaryGroup;
            if (current.Test(face)) {
                current.ClearRange(face, 1);
            } else {
                current.SetRange(face, 1);
            }
        }
    }

    void PickFace(C3dShape* shape, int face, const Vector& point) {
        frame.hitTriangle = -1;
        if (shape != nullptr && face >= 0) {
            TakeHit(*shape, face, point);
        }
        frame.Select(shape);
    }

    void Select(C3dShape* shape) {
        decorations.Remove();
        RestoreLook(frame.selectedObject);
        frame.selectedObject = shape;
        DrawDecorations();
        Report(shape);
    }

    void RestoreLook(C3dShape* previous) {
        if (previous == nullptr) {
            return;
        }
        MeshPart* part = PartOf(previous);
        ModelDocument& document = Document();
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

    void Report(C3dShape* shape) {
        if (shape == nullptr) {
            frame.SetStatus("No selection");
            return;
        }
        ModelDocument& document = Document();
        bool meshHit = shape == document.model.Shape() || shape == document.generatedModel.Shape();
        if (meshHit && frame.hitTriangle >= 0) {
            frame.SetStatus("Selected: %s (%d @ %3.1f,%3.1f,%3.1f)", shape->GetName().c_str(),
                            frame.hitTriangle, frame.hitPoint.x, frame.hitPoint.y,
                            frame.hitPoint.z);
            if (shape == document.model.Shape()) {
                RefreshGroupDisplay();
            }
            return;
        }
        Highlight(*shape);
        frame.SetStatus("Selected: %s", shape->GetName().c_str());
    }

    void Highlight(C3dShape& shape) {
        ModelDocument& document = Document();
        MeshPart* part = PartOf(&shape);
        if (part == &document.model) {
            part->displayFlags[1] = 1;
            RefreshGroupDisplay();
            return;
        }
        if (part != nullptr && part->kind == PART_BONE) {
            BonePart& bone = *static_cast<BonePart*>(part);
            frame.selectedBone = static_cast<int32_t>(bone.boneIndex);
            if (frame.options.bindingsView && document.model.mesh.groupTable != nullptr) {
                ShowTemporaryGroup(frame, bone.boundTriangles);
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
    void RefreshGroupDisplay() {
        MeshPart& model = Document().model;
        TriangleGroupTable* groups = model.mesh.groupTable.get();
        if (model.Shape() != nullptr && groups != nullptr) {
            ShowTemporaryGroup(frame, groups->temporaryGroup);
        }
    }

    void DrawDecorations() {
        decorations.Remove();
        C3dShape* selected = frame.selectedObject;
        if (selected == nullptr) {
            return;
        }
        if (frame.options.viewSelection) {
            decorations.ShowBox(*selected);
        }
        if (frame.options.viewHitPoint && frame.hitTriangle >= 0) {
            decorations.ShowHitPoint(*selected, frame.hitTriangle, frame.hitPoint);
        }
    }

    void Cut() {
        ModelDocument& document = Document();
        C3dShape* selected = frame.selectedObject;
        if (selected != nullptr && selected == document.prop.Shape()) {
            frame.Select(nullptr);
            TakeOutOfScene(selected);
            document.prop.ReleaseShape();
            document.prop.ClearMesh();
        } else if (selected != nullptr && selected == document.model.Shape()) {
            frame.Select(nullptr);
            TakeOutOfScene(selected);
            document.model.ReleaseShape();
            frame.NewDocument();
        } else if (selected != nullptr && selected == document.generatedModel.Shape()) {
            frame.Select(nullptr);
            TakeOutOfScene(selected);
        } else {
            frame.GetUi().ShowMessage("Only a model or prop can be deleted.");
        }
    }

    static void TakeOutOfScene(C3dShape* shape) {
        if (shape->GetParent() != nullptr) {
            shape->GetParent()->RemoveChild(shape);
        }
    }

    void Flip(Axis axis) {
        ReshapeModel(frame, [axis](MeshPart& model) {
            return axis == Axis::X   ? model.FlipX()
                   : axis == Axis::Y ? model.FlipY()
                                     : model.FlipZ();
        });
    }

    void Rotate(Axis axis) {
        ModelDocument& document = Document();
        C3dShape* selected = frame.selectedObject;
        if (selected == nullptr ||
            (selected != document.prop.Shape() && selected != document.model.Shape())) {
            return;
        }
        Vector direction;
        Vector up;
        selected->GetOrientation(document.scene, direction, up);
        direction.Normalize();
        up.Normalize();
        selected->SetOrientation(QuarterTurn(direction, axis), QuarterTurn(up, axis),
                                 document.scene);
    }

    void StepBone(bool forward) {
        int from = frame.selectedBone;
        // With a joint selected, the steps go from the bone that ends at it (from the ends of
        // the list for the hips, where none ends).
        if (const JointPart* joint = Document().JointByShape(frame.selectedObject)) {
            const int ending = BoneEndingAt(static_cast<int>(joint->jointIndex));
            from = ending != NO_BONE ? ending : (forward ? NUM_BONES - 1 : 0);
        }
        if (from < 0 || from >= NUM_BONES) {
            frame.GetUi().ShowMessage("Please select a bone first.");
            return;
        }
        int bone = StepEligibleBone(Document(), from, forward);
        frame.Select(Document().bones[bone].Shape());
    }

    void ToggleSolid() {
        ModelDocument& document = Document();
        MeshPart& shown = document.viewGenerated ? static_cast<MeshPart&>(document.generatedModel)
                                                 : document.model;
        shown.ShowSolid(shown.solid ? 0 : 1);
    }

    bool SolidShown() {
        ModelDocument& document = Document();
        return document.viewGenerated ? document.generatedModel.solid != 0
                                      : document.model.solid != 0;
    }

    CMainFrame& frame;
    SelectionDecorations decorations;
};

void BindRun(CommandRouter& router, int id, std::function<void()> run) {
    router.Bind(id, {.run = std::move(run)});
}

}  // namespace

void RegisterSelectionCommands(CMainFrame& frame, CommandRouter& router) {
    auto area = std::make_shared<SelectionArea>(frame);
    FrameHooks& hooks = frame.Hooks();
    hooks.select = [area](C3dShape* shape) { area->Select(shape); };
    hooks.pick = [area](C3dShape* shape, int x, int y) { area->Pick(shape, x, y); };
    hooks.pickFace = [area](C3dShape* shape, int face, const Vector& point) {
        area->PickFace(shape, face, point);
    };
    hooks.resetDocument.push_back([&frame] { frame.pickedFace = -1; });

    const auto redraw = [area] { area->DrawDecorations(); };
    BindFlagToggle(router, ID_VIEW_SELECTION_BOX, frame.options.viewSelection, redraw);
    BindFlagToggle(router, ID_VIEW_HIT_POINT, frame.options.viewHitPoint, redraw);
    BindToggle(
        router, ID_MODEL_SOLID, [area] { area->ToggleSolid(); },
        [area] { return area->SolidShown(); });
    BindRun(router, ID_EDIT_CUT, [area] { area->Cut(); });
    BindRun(router, ID_MODEL_FLIP_X, [area] { area->Flip(Axis::X); });
    BindRun(router, ID_MODEL_FLIP_Y, [area] { area->Flip(Axis::Y); });
    BindRun(router, ID_MODEL_FLIP_Z, [area] { area->Flip(Axis::Z); });
    BindRun(router, ID_MODEL_ROTATE_X, [area] { area->Rotate(Axis::X); });
    BindRun(router, ID_MODEL_ROTATE_Y, [area] { area->Rotate(Axis::Y); });
    BindRun(router, ID_MODEL_ROTATE_Z, [area] { area->Rotate(Axis::Z); });
    BindRun(router, ID_SKELETON_PREVIOUS_BONE, [area] { area->StepBone(false); });
    BindRun(router, ID_SKELETON_NEXT_BONE, [area] { area->StepBone(true); });
}

}  // namespace editor::shell
