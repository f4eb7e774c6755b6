// "Fit Skeleton to Model", "Bind Unbound Triangles" and "Auto Rig": a standing character rigged
// without dragging a joint or picking a triangle.
#include <cstdint>
#include <optional>
#include <vector>

#include "editor/groups/bind_unbound.h"
#include "editor/groups/model_bindings.h"
#include "editor/model/model_document.h"
#include "editor/model/triangle_group_table.h"
#include "editor/shell/command_ids.h"
#include "editor/shell/command_router.h"
#include "editor/shell/group_view.h"
#include "editor/shell/main_frame.h"
#include "editor/shell/model_fit.h"
#include "editor/shell/rig_steps.h"
#include "editor/skeleton/bone_stepping.h"
#include "editor/skeleton/model_skeleton_fit.h"
#include "editor/skeleton/posing.h"
#include "editor/skeleton/skeleton_scene.h"

namespace editor::shell {

using namespace ::editor::groups;
using namespace ::editor::model;
using namespace ::editor::skeleton;

namespace {

constexpr const char* NO_MODEL_MESSAGE = "Please open a model first.";
// Torso, arms, palms, legs and head: what a character's body is made of.
constexpr int kBodyNodes[] = {0, 1, 5, 6, 10, 11, 13, 14, 15};

const char* SkeletonFitMessage(FitSkeletonOutcome outcome) {
    switch (outcome) {
        case FitSkeletonOutcome::NoModel:
            return NO_MODEL_MESSAGE;
        case FitSkeletonOutcome::ReadBackFailed:
            return READ_BACK_FAILED_MESSAGE;
        case FitSkeletonOutcome::NoSurface:
            return "The skeleton was not fitted: the model has no triangles with an area in the "
                   "active mesh nodes.";
        case FitSkeletonOutcome::LyingDown:
            return "The skeleton was not fitted: the model is lying down (it is far wider than it "
                   "is tall). Stand it up first (Model > Rotate X or Rotate Y).";
        case FitSkeletonOutcome::NoLegs:
            return "The skeleton was not fitted: no two legs were found at the bottom of the "
                   "model. It needs a standing humanoid with its feet at the bottom.";
        case FitSkeletonOutcome::Fitted:
            break;
    }
    return "";
}

// Every node on means nobody chose yet: the body's nodes are the better start.
void PresetBodyNodes(ModelDocument& document) {
    for (uint32_t on : document.activeNodes) {
        if (on == 0) {
            return;
        }
    }
    uint32_t flags[NUM_MESH_NODES] = {};
    for (int node : kBodyNodes) {
        flags[node] = 1;
    }
    SetActiveNodes(document, flags);
}

// The temporary group becomes every triangle not held by a bone of a switched-off node.
bool GroupTrianglesTakingPart(CMainFrame& frame) {
    TriangleGroupTable* table = ModelGroupsOrRefuse(frame);
    if (table == nullptr) {
        return false;
    }
    ModelDocument& document = frame.Document();
    TriangleSet group;
    group.SetRange(0, document.model.mesh.TriangleCount());
    for (int b = 0; b < NUM_BONES; ++b) {
        if (!IsEligibleBone(document, b)) {
            group.AndNot(document.bones[b].boundTriangles);
        }
    }
    ShowTemporaryGroup(frame, group);
    return true;
}

bool GuessStep(CMainFrame& frame) {
    const GuessOutcome outcome = GuessModelBindings(frame.Document(), [&frame](int bone) {
        frame.SetStatus("Checking for neighbors of '%s'...", BoneTableName(bone));
    });
    if (outcome != GuessOutcome::Guessed) {
        frame.GetUi().ShowMessage(outcome == GuessOutcome::NoModel ? NO_MESH_TO_ASSIGN_MESSAGE
                                                                   : READ_BACK_FAILED_MESSAGE);
        return false;
    }
    frame.SetStatus("Guessed the bindings of the active bones.");
    return true;
}

// Says why the bindings could not be changed; true when they were.
bool BindingsChanged(CMainFrame& frame, BindUnboundOutcome outcome) {
    switch (outcome) {
        case BindUnboundOutcome::NoModel:
            frame.GetUi().ShowMessage(NO_MESH_TO_ASSIGN_MESSAGE);
            return false;
        case BindUnboundOutcome::ReadBackFailed:
            frame.GetUi().ShowMessage(READ_BACK_FAILED_MESSAGE);
            return false;
        case BindUnboundOutcome::NoEligibleBone:
            frame.GetUi().ShowMessage(
                "No bone is active to bind to: switch on mesh nodes first (Skeleton > Mesh "
                "Nodes...).");
            return false;
        case BindUnboundOutcome::Done:
            break;
    }
    return true;
}

// The guess's triangles far from their bone go to the nearest one before the gaps are filled.
bool RebindFarStep(CMainFrame& frame) {
    int moved = 0;
    if (!BindingsChanged(frame, RebindModelFarTriangles(frame.Document(), moved))) {
        return false;
    }
    frame.SetStatus("Moved %d guessed triangles to the bone nearest them.", moved);
    return true;
}

// The triangles of the limbs where two bones meet are left to be bound across the surface.
bool FreeSeamsStep(CMainFrame& frame) {
    int freed = 0;
    if (!BindingsChanged(frame, FreeModelLimbSeams(frame.Document(), freed))) {
        return false;
    }
    frame.SetStatus("Unbound %d triangles where two bones of a limb meet.", freed);
    return true;
}

// The skeleton fit tried on the model as Fit Model to Skeleton would place it, before anything
// changes: a model that is no standing humanoid is left as it was.
FitSkeletonOutcome TrialFit(ModelDocument& document) {
    std::vector<Triangle3> triangles;
    if (!ModelTrianglesForFit(document, triangles)) {
        return FitSkeletonOutcome::ReadBackFailed;
    }
    const std::optional<SkeletonStance> stance = StanceOf(document);
    const std::optional<UniformMove> move =
        stance ? FitToStance(document.model.mesh, *stance) : std::nullopt;
    if (move) {
        for (Triangle3& t : triangles) {
            for (Point3& p : t) {
                p = ToPoint(move->Apply(ToVector(p)));
            }
        }
    }
    return OutcomeOf(FitSkeleton(triangles, CurrentJointPositions(document)).failure);
}

void AutoRig(CMainFrame& frame) {
    if (frame.Document().model.Shape() == nullptr) {
        frame.GetUi().ShowMessage(NO_MODEL_MESSAGE);
        return;
    }
    PresetBodyNodes(frame.Document());
    frame.RunCommand(ID_SKELETON_MESH_NODES);
    const FitSkeletonOutcome trial = TrialFit(frame.Document());
    if (trial != FitSkeletonOutcome::Fitted) {
        frame.GetUi().ShowMessage(SkeletonFitMessage(trial));
        return;
    }
    const bool rigged = FitModelToSkeletonStep(frame) && FitSkeletonToModelStep(frame) &&
                        GroupTrianglesTakingPart(frame) && GuessStep(frame) &&
                        FreeSeamsStep(frame) && RebindFarStep(frame) &&
                        BindUnboundTrianglesStep(frame) && frame.MakePoseable();
    frame.RequestRedraw();
    if (rigged) {
        frame.SetStatus(
            "Auto Rig done: review the bindings (View > Bone Bindings) and mend them with Add "
            "to Bone and Remove from Bone.");
    }
}

}  // namespace

bool FitSkeletonToModelStep(CMainFrame& frame) {
    const FitSkeletonOutcome outcome = FitSkeletonToModel(frame.Posing());
    if (outcome != FitSkeletonOutcome::Fitted) {
        frame.GetUi().ShowMessage(SkeletonFitMessage(outcome));
        return false;
    }
    frame.RequestRedraw();
    frame.SetStatus("Skeleton fitted to the model: every body joint placed.");
    return true;
}

bool BindUnboundTrianglesStep(CMainFrame& frame) {
    BindUnboundCounts counts;
    if (!BindingsChanged(frame, BindModelUnboundTriangles(frame.Document(), counts))) {
        return false;
    }
    frame.SetStatus("Bound %d unbound triangles; settled %d triangles bound to several bones.",
                    counts.bound, counts.settled);
    return true;
}

void RegisterAutoRigCommands(CMainFrame& frame, CommandRouter& router) {
    router.Bind(ID_SKELETON_FIT_TO_MODEL, {.run = [&frame] { FitSkeletonToModelStep(frame); }});
    router.Bind(ID_SKELETON_BIND_UNBOUND, {.run = [&frame] { BindUnboundTrianglesStep(frame); }});
    router.Bind(ID_SKELETON_AUTO_RIG, {.run = [&frame] { AutoRig(frame); }});
}

}  // namespace editor::shell
