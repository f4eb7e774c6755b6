// Making the mesh poseable: "Make Poseable" and the "Generated Model" view.
#include "editor/generate/body_parts.h"
#include "editor/model/model_document.h"
#include "editor/shell/command_ids.h"
#include "editor/shell/command_router.h"
#include "editor/shell/main_frame.h"

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

}  // namespace

void RegisterGenerateCommands(CMainFrame& frame, CommandRouter& router) {
    router.Bind(ID_MODEL_MAKE_POSEABLE, {.run = [&frame] { frame.MakePoseable(); }});
    router.Bind(ID_VIEW_GENERATED_MODEL,
                {.run = [&frame] { ToggleGeneratedView(frame); },
                 .isChecked = [&frame] { return frame.Document().viewGenerated != 0; }});
}

}  // namespace editor::shell
