// "Fit Model to Skeleton" and "Scale Model...": sizing the model to the player's skeleton.
#include <cstdio>
#include <optional>

#include "editor/model/model_document.h"
#include "editor/model/read_back_geometry.h"
#include "editor/shell/command_ids.h"
#include "editor/shell/command_router.h"
#include "editor/shell/main_frame.h"
#include "editor/shell/model_fit.h"
#include "editor/shell/model_reshape.h"
#include "editor/shell/rig_steps.h"
#include "editor/shell/simplify_model.h"
#include "scene/scene.h"
#include "scene/shape.h"

namespace editor::shell {

using namespace ::editor::model;

namespace {

constexpr const char* NO_MODEL_MESSAGE = "Please open a model first.";
constexpr const char* SCALE_QUESTION = "Scale the model to what percentage of its size?";

// Reads the shape's geometry back (scene moves are kept), works out the move on it and applies
// it; the move, or nothing when it cannot be made.
std::optional<UniformMove> MoveModel(
    CMainFrame& frame, const std::function<std::optional<UniformMove>(const MeshData&)>& plan) {
    std::optional<UniformMove> made;
    ReshapeModel(frame, [&](MeshPart& model) {
        if (!ReadBackGeometry(*model.Shape(), model.mesh, model.scene, false)) {
            return false;
        }
        made = plan(model.mesh);
        if (!made) {
            return false;
        }
        ApplyToMesh(model.mesh, *made);
        model.MarkModified();
        return true;
    });
    return made;
}

}  // namespace

bool FitModelToSkeletonStep(CMainFrame& frame) {
    ModelDocument& document = frame.Document();
    if (document.model.Shape() == nullptr) {
        frame.GetUi().ShowMessage(NO_MODEL_MESSAGE);
        return false;
    }
    const std::optional<SkeletonStance> stance = StanceOf(document);
    if (!stance || !(stance->StandingHeight() > 0.0)) {
        frame.GetUi().ShowMessage(
            "The skeleton does not stand upright: its toes are not below "
            "the top of its head.");
        return false;
    }
    const std::optional<UniformMove> move =
        MoveModel(frame, [&](const MeshData& mesh) { return FitToStance(mesh, *stance); });
    if (!move) {
        frame.GetUi().ShowMessage("The model has no height to fit to the skeleton.");
        return false;
    }
    if (move->turn.IsTurn()) {
        frame.SetStatus("%s", move->turn.description.c_str());
    }
    frame.SetStatus("Model fitted to the skeleton: scaled to %.1f%%, standing %.1f units tall.",
                    move->scale * 100.0, stance->StandingHeight());
    return true;
}

namespace {

void ScaleModel(CMainFrame& frame) {
    if (frame.Document().model.Shape() == nullptr) {
        frame.GetUi().ShowMessage(NO_MODEL_MESSAGE);
        return;
    }
    const std::optional<std::string> answer =
        frame.GetUi().AskText({.title = SCALE_QUESTION, .initialText = "100", .maxLength = 12});
    if (!answer) {
        return;
    }
    const std::optional<double> factor = ParsePercentage(*answer);
    if (!factor) {
        frame.GetUi().ShowMessage("'" + *answer +
                                  "' is not a percentage above 0 (for example 50 or 250).");
        return;
    }
    const std::optional<UniformMove> move =
        MoveModel(frame, [&](const MeshData& mesh) { return ScaleAboutBase(mesh, *factor); });
    if (!move) {
        frame.GetUi().ShowMessage("The model could not be scaled.");
        return;
    }
    frame.SetStatus("Model scaled to %g%% of its size.", move->scale * 100.0);
}

}  // namespace

void RegisterModelFitCommands(CMainFrame& frame, CommandRouter& router) {
    router.Bind(ID_MODEL_FIT_TO_SKELETON, {.run = [&frame] { FitModelToSkeletonStep(frame); }});
    router.Bind(ID_MODEL_SCALE, {.run = [&frame] { ScaleModel(frame); }});
    router.Bind(ID_MODEL_SIMPLIFY, {.run = [&frame] { SimplifyModelCommand(frame); }});
}

}  // namespace editor::shell
