// Saving the model as Wavefront OBJ: "&Save" and "Save &As..." do the same.
#include <memory>

#include "editor/io/obj_writer.h"
#include "editor/model/model_document.h"
#include "editor/shell/command_ids.h"
#include "editor/shell/command_router.h"
#include "editor/shell/frame_prompts.h"
#include "editor/shell/main_frame.h"
#include "editor/shell/ui.h"
#include "scene/scene.h"

namespace editor::shell {

using namespace ::editor::io;
using namespace ::editor::model;

namespace {

constexpr const char* NO_MODEL_MESSAGE = "Please open a model first.";

void SaveModel(CMainFrame& frame) {
    MeshPart& model = frame.Document().model;
    if (model.Shape() == nullptr) {
        frame.GetUi().ShowMessage(NO_MODEL_MESSAGE);
        return;
    }
    FramePrompts questions(frame);
    // The file gets the geometry where the scene shows it, read back into a copy: saving changes
    // nothing of the document, so it is no undo step and a later restore never moves the model
    // twice.
    auto written = std::make_unique<MeshData>();
    written->CopyGeometryFrom(model.mesh);
    const Result<std::string> saved =
        ExportMesh(*model.Shape(), frame.Document().scene, std::string(), written.get(), &questions,
                   &frame.lastExportPath);
    if (saved) {
        frame.Saved().MarkSaved(frame.Document(), *saved);
        frame.SetStatus("Saved model to '%s'.\n", saved->c_str());
    } else if (!questions.Cancelled()) {
        frame.SetStatus("Save operation failed (only .OBJ supported - try File->Export).\n");
    }
}

}  // namespace

void RegisterFileCommands(CMainFrame& frame, CommandRouter& router) {
    router.Bind(ID_FILE_SAVE, {.run = [&frame] { SaveModel(frame); }});
    router.Bind(ID_FILE_SAVE_AS, {.run = [&frame] { SaveModel(frame); }});
}

}  // namespace editor::shell
