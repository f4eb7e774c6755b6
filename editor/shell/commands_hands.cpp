// "Clone Hands" and the orientation files of the model and the prop.
#include <memory>
#include <optional>
#include <string>

#include "editor/hands/clone_hands.h"
#include "editor/hands/orientation_file.h"
#include "editor/model/file_messages.h"
#include "editor/model/model_document.h"
#include "editor/model/triangle_group_table.h"
#include "editor/shell/command_ids.h"
#include "editor/shell/command_router.h"
#include "editor/shell/frame_prompts.h"
#include "editor/shell/group_view.h"
#include "editor/shell/main_frame.h"
#include "editor/shell/model_reshape.h"
#include "scene/scene.h"
#include "scene/shape.h"

namespace editor::shell {

using namespace ::editor::hands;
using namespace ::editor::model;
using namespace ::scene;

namespace {

constexpr const char* ASSIGN_HANDS_MESSAGE =
    "Please assign some mesh to the open left and right hands and forearms first!";
constexpr const char* OVERWRITE_CLOSED_HANDS_QUESTION =
    "NOTE: Current assignments to the closed left and right hands will be overwritten.";
constexpr const char* CLONE_FAILED_MESSAGE =
    "Unable to clone hands - too many verteces or triangles!";
constexpr const char* SELECT_OBJECT_MESSAGE = "Please select an object first.";
constexpr const char* READY_STATUS = "Ready.";

struct HandsArea {
    explicit HandsArea(CMainFrame& frame) : frame(frame), prompts(frame) {}

    ModelDocument& Document() { return frame.Document(); }
    Ui& GetUi() { return frame.GetUi(); }

    void Clone() {
        if (!HandsAndForearmsBound(Document())) {
            GetUi().ShowMessage(ASSIGN_HANDS_MESSAGE);
            return;
        }
        if (ClosedHandsBound(Document()) && !GetUi().AskOkCancel(OVERWRITE_CLOSED_HANDS_QUESTION)) {
            return;
        }
        CloneResult result = CloneResult::TooLarge;
        const ModelEdit edit = EditModelInPlace(frame, [&](MeshData&) {
            result = CloneHands(Document());
            return result == CloneResult::Cloned;
        });
        if (edit.outcome == ModelEditOutcome::ReadBackFailed && edit.wasSelected) {
            frame.Selection().Select(Document().model.Shape());
        }
        if (edit.outcome == ModelEditOutcome::Edited) {
            if (const TriangleGroupTable* groups = Document().model.mesh.groupTable.get()) {
                ShowTemporaryGroup(frame, groups->temporaryGroup);
            }
        } else if (result == CloneResult::TooManyGroups) {
            GetUi().ShowMessage(TOO_MANY_GROUPS_MESSAGE);
        } else {
            GetUi().ShowMessage(CLONE_FAILED_MESSAGE);
        }
        frame.SetStatus("%s", READY_STATUS);
    }

    // The model's or the prop's shape when it is the selection; else tells the user.
    C3dShape* PlacedSelection() {
        C3dShape* selected = frame.Selection().Shape();
        ModelDocument& document = Document();
        if (selected == nullptr ||
            (selected != document.model.Shape() && selected != document.prop.Shape())) {
            GetUi().ShowMessage(SELECT_OBJECT_MESSAGE);
            return nullptr;
        }
        return selected;
    }

    void LoadOrientation() {
        C3dShape* object = PlacedSelection();
        if (object == nullptr) {
            return;
        }
        prompts.ReportProgress("Enter a file name to load the orientation from...");
        std::optional<std::string> path =
            prompts.AskOpenFile({.filter = ORIENTATION_FILE_FILTER,
                                 .defaultExtension = ORIENTATION_FILE_EXTENSION,
                                 .initialPath = lastLoadPath});
        if (!path) {
            return;
        }
        lastLoadPath = *path;
        Orientation orientation;
        const bytes::Status read = ReadOrientationFile(*path, orientation);
        if (read.Kind() == bytes::Failure::CantOpen) {
            GetUi().ShowMessage(CantOpenMessage(*path));
            return;
        }
        if (!read) {
            GetUi().ShowMessage("'" + *path + "' does not appear to be a valid .ori file.");
            return;
        }
        C3dScene* scene = Document().scene;
        object->SetOrientation(orientation.direction, orientation.up, scene);
        object->SetPosition(orientation.position, scene);
        frame.SetStatus("%s", READY_STATUS);
    }

    void SaveOrientation() {
        C3dShape* object = PlacedSelection();
        if (object == nullptr) {
            return;
        }
        C3dScene* scene = Document().scene;
        Orientation orientation;
        object->GetOrientation(scene, orientation.direction, orientation.up);
        orientation.up.Normalize();
        orientation.position = object->GetPosition(scene);
        prompts.ReportProgress("Enter a file name to save the orientation to...");
        std::optional<std::string> path =
            prompts.AskSaveFile({.filter = ORIENTATION_FILE_FILTER,
                                 .defaultExtension = ORIENTATION_FILE_EXTENSION,
                                 .initialPath = lastSavePath});
        if (!path) {
            return;
        }
        lastSavePath = *path;
        const bytes::Status written = WriteOrientationFile(*path, orientation);
        if (written.Kind() == bytes::Failure::CantOpen) {
            GetUi().ShowMessage(CantOpenMessage(*path));
            return;
        }
        if (!written) {
            GetUi().ShowMessage("Can't write the orientation to '" + *path + "'.");
            return;
        }
        frame.SetStatus("%s", READY_STATUS);
    }

    CMainFrame& frame;
    FramePrompts prompts;
    // Each command remembers its own last file.
    std::string lastLoadPath;
    std::string lastSavePath;
};

}  // namespace

void RegisterHandsCommands(CMainFrame& frame, CommandRouter& router) {
    auto area = std::make_shared<HandsArea>(frame);
    BindAreaCommand(router, ID_MODEL_CLONE_HANDS, area, &HandsArea::Clone);
    BindAreaCommand(router, ID_FILE_LOAD_ORIENTATION, area, &HandsArea::LoadOrientation);
    BindAreaCommand(router, ID_FILE_SAVE_ORIENTATION, area, &HandsArea::SaveOrientation);
}

}  // namespace editor::shell
