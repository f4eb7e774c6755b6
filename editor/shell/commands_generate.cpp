// Making the mesh poseable: "Make Poseable", the "Generated Model" view and smooth joints.
#include <cmath>
#include <optional>
#include <string>

#include "editor/generate/body_parts.h"
#include "editor/generate/joint_weights.h"
#include "editor/generate/mesh_deformation.h"
#include "editor/model/model_document.h"
#include "editor/shell/command_ids.h"
#include "editor/shell/command_router.h"
#include "editor/shell/main_frame.h"
#include "editor/shell/model_fit.h"
#include "editor/skeleton/posing.h"

namespace editor::shell {

using namespace ::editor::generate;
using namespace ::editor::model;

namespace {

// The generated model and the editable model take turns: the one not viewed is drawn black.
void ToggleGeneratedView(CMainFrame& frame) {
    ModelDocument& document = frame.Document();
    if (document.viewGenerated == 0 && document.generatedModel.Shape() == nullptr) {
        frame.GetUi().ShowMessage(NOTHING_GENERATED_MESSAGE);
        return;
    }
    document.viewGenerated = document.viewGenerated ? 0 : 1;
    document.generatedModel.Show(document.viewGenerated);
    document.model.Show(document.viewGenerated ? 0 : 1);
    frame.RequestRedraw();
}

// Shows the generated model (when there is one) with the joints as they are set now.
void RefreshGenerated(CMainFrame& frame) {
    if (frame.Document().generatedModel.Shape() != nullptr) {
        frame.Posing().Follow();
        frame.RequestRedraw();
    }
}

void ToggleSmoothJoints(CMainFrame& frame) {
    JointBlend& blend = frame.Document().jointBlend;
    blend.smooth = blend.smooth ? 0 : 1;
    RefreshGenerated(frame);
    if (blend.smooth) {
        frame.SetStatus("Smooth joints on: the bones blend within %u%% of each joint.",
                        blend.zonePercent);
    } else {
        frame.SetStatus("Smooth joints off: every vertex follows its own bone.");
    }
}

void AskJointBlend(CMainFrame& frame) {
    JointBlend& blend = frame.Document().jointBlend;
    const std::optional<std::string> answer =
        frame.GetUi().AskText({.title = "Blend zone at each joint, in percent of the shorter bone:",
                               .initialText = std::to_string(blend.zonePercent),
                               .maxLength = 12});
    if (!answer) {
        return;
    }
    const std::optional<double> factor = ParsePercentage(*answer);
    const long percent = factor ? std::lround(*factor * 100.0) : 0;
    if (percent < 1 || percent > MAX_JOINT_BLEND_PERCENT) {
        frame.GetUi().ShowMessage("'" + *answer +
                                  "' is not a blend zone from 1 to 100 percent (for example 20).");
        return;
    }
    blend.zonePercent = static_cast<uint32_t>(percent);
    ComputeJointWeights(frame.Document());
    if (blend.smooth) {
        RefreshGenerated(frame);
    }
    frame.SetStatus("Joint blend zone: %u%% of the shorter bone at each joint.", blend.zonePercent);
}

}  // namespace

void RegisterGenerateCommands(CMainFrame& frame, CommandRouter& router) {
    router.Bind(ID_MODEL_MAKE_POSEABLE, {.run = [&frame] { frame.MakePoseable(); }});
    BindToggle(
        router, ID_VIEW_GENERATED_MODEL, [&frame] { ToggleGeneratedView(frame); },
        [&frame] { return frame.Document().viewGenerated != 0; });
    BindToggle(
        router, ID_MODEL_SMOOTH_JOINTS, [&frame] { ToggleSmoothJoints(frame); },
        [&frame] { return frame.Document().jointBlend.smooth != 0; });
    router.Bind(ID_MODEL_JOINT_BLEND, {.run = [&frame] { AskJointBlend(frame); }});
}

}  // namespace editor::shell
