// The selection's commands: deleting, mirroring and turning the selected model or prop; the
// selection marks' toggles; stepping through the eligible bones.
#include <functional>
#include <memory>
#include <utility>

#include "editor/model/model_document.h"
#include "editor/model/triangle_group_table.h"
#include "editor/shell/command_ids.h"
#include "editor/shell/command_router.h"
#include "editor/shell/main_frame.h"
#include "editor/shell/model_reshape.h"
#include "editor/shell/selection.h"
#include "editor/skeleton/bone_stepping.h"
#include "editor/skeleton/skeleton_scene.h"
#include "scene/scene.h"
#include "scene/shape.h"

namespace editor::shell {

using namespace ::editor::model;
using namespace ::editor::skeleton;
using namespace ::scene;

namespace {

enum class Axis { X, Y, Z };

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
    void Cut() {
        ModelDocument& document = Document();
        C3dShape* selected = frame.Selection().Shape();
        if (selected != nullptr && selected == document.prop.Shape()) {
            frame.Selection().Select(nullptr);
            TakeOutOfScene(selected);
            document.prop.ReleaseShape();
            document.prop.ClearMesh();
        } else if (selected != nullptr && selected == document.model.Shape()) {
            frame.Selection().Select(nullptr);
            TakeOutOfScene(selected);
            document.model.ReleaseShape();
            // Deleting the model empties the document, as one step that Undo takes back.
            frame.ResetDocument();
        } else if (selected != nullptr && selected == document.generatedModel.Shape()) {
            frame.Selection().Select(nullptr);
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
        C3dShape* selected = frame.Selection().Shape();
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
        int from = frame.Selection().Bone();
        // With a joint selected, the steps go from the bone that ends at it (from the ends of
        // the list for the hips, where none ends).
        if (const JointPart* joint = Document().JointByShape(frame.Selection().Shape())) {
            const int ending = BoneEndingAt(static_cast<int>(joint->jointIndex));
            from = ending != NO_BONE ? ending : (forward ? NUM_BONES - 1 : 0);
        }
        if (from < 0 || from >= NUM_BONES) {
            frame.GetUi().ShowMessage("Please select a bone first.");
            return;
        }
        int bone = StepEligibleBone(Document(), from, forward);
        frame.Selection().Select(Document().bones[bone].Shape());
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
};

void BindRun(CommandRouter& router, int id, std::function<void()> run) {
    router.Bind(id, {.run = std::move(run)});
}

}  // namespace

void RegisterSelectionCommands(CMainFrame& frame, CommandRouter& router) {
    auto area = std::make_shared<SelectionArea>(frame);
    const auto redecorate = [&frame] { frame.Selection().Redecorate(); };
    BindFlagToggle(router, ID_VIEW_SELECTION_BOX, frame.options.viewSelection, redecorate);
    BindFlagToggle(router, ID_VIEW_HIT_POINT, frame.options.viewHitPoint, redecorate);
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
