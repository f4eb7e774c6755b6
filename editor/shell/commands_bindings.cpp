// Binding triangles to bones: bind, unbind, the bindings view, the guess, and binding files.
#include <optional>
#include <string>

#include "editor/groups/bone_membership.h"
#include "editor/groups/model_bindings.h"
#include "editor/model/model_document.h"
#include "editor/model/triangle_group_table.h"
#include "editor/prompts/questions.h"
#include "editor/shell/command_ids.h"
#include "editor/shell/command_router.h"
#include "editor/shell/frame_prompts.h"
#include "editor/shell/group_view.h"
#include "editor/shell/main_frame.h"
#include "editor/shell/outcome_message.h"
#include "scene/shape.h"

namespace editor::shell {

using namespace ::editor::groups;
using namespace ::editor::model;
using namespace ::editor::skeleton;

namespace {

constexpr const char* SELECT_BONE_MESSAGE = "Please select a bone first.";
constexpr const char* ACTIVATE_GROUP_MESSAGE = "Please activate a group of triangles first.";
constexpr const char* READY_STATUS = "Ready.";

struct BindingArea {
    explicit BindingArea(CMainFrame& frame) : frame(frame), prompts(frame) {}

    ModelDocument& Document() { return frame.Document(); }
    Ui& GetUi() { return frame.GetUi(); }

    BonePart* CurrentBone() {
        if (frame.Selection().Bone() < 0 || frame.Selection().Bone() >= NUM_BONES) {
            GetUi().ShowMessage(SELECT_BONE_MESSAGE);
            return nullptr;
        }
        return &Document().bones[frame.Selection().Bone()];
    }

    // Replacing a bone's bindings is asked about unless the bone was just selected.
    bool MayReplace(const BonePart& bone, bool whenBound) {
        const bool boneSelected =
            frame.Selection().Shape() != nullptr && frame.Selection().Shape() == bone.Shape();
        if (boneSelected && !(whenBound && bone.boundTriangles.Any())) {
            return true;
        }
        return GetUi().AskYesNo(OverwriteQuestion(BoneTableName(frame.Selection().Bone())));
    }

    // The model's groups and the selected bone when both are there and the temporary group holds
    // triangles to bind; otherwise says what is missing and gives no bone.
    BonePart* BoneForTemporaryGroup(TriangleGroupTable*& table) {
        table = ModelGroupsOrRefuse(frame);
        BonePart* bone = table != nullptr ? CurrentBone() : nullptr;
        if (bone != nullptr && !table->temporaryGroup.Any()) {
            GetUi().ShowMessage(ACTIVATE_GROUP_MESSAGE);
            return nullptr;
        }
        return bone;
    }

    void Bind() {
        TriangleGroupTable* table = nullptr;
        BonePart* bone = BoneForTemporaryGroup(table);
        if (bone == nullptr) {
            return;
        }
        ShowTemporaryGroup(frame, table->temporaryGroup);
        if (!MayReplace(*bone, true)) {
            return;
        }
        bone->boundTriangles = table->temporaryGroup;
        ShowTemporaryGroup(frame, table->temporaryGroup);
    }

    // "Add to Bone" and "Remove from Bone": the temporary group's triangles join the selected
    // bone (leaving the others) or leave it; the bone's other triangles stay bound.
    void Mend(bool add) {
        TriangleGroupTable* table = nullptr;
        BonePart* bone = BoneForTemporaryGroup(table);
        if (bone == nullptr) {
            return;
        }
        const int b = frame.Selection().Bone();
        const MembershipChange change = add ? AddToBone(Document(), b, table->temporaryGroup)
                                            : RemoveFromBone(Document(), b, table->temporaryGroup);
        const std::string name = BoneTableName(b);
        std::string line = add ? "Added " + Triangles(change.changed) + " to '" + name + "'"
                               : "Removed " + Triangles(change.changed) + " from '" + name + "'";
        line += " (now " + std::to_string(change.nowBound) + ").";
        if (change.takenFromOthers > 0) {
            line += " " + Triangles(change.takenFromOthers) + " left other bones.";
        }
        frame.SetStatus("%s", line.c_str());
        ShowTemporaryGroup(
            frame, frame.options.bindingsView ? bone->boundTriangles : table->temporaryGroup);
    }

    static std::string Triangles(int count) {
        return std::to_string(count) + (count == 1 ? " triangle" : " triangles");
    }

    void Unbind() {
        TriangleGroupTable* table = ModelGroupsOrRefuse(frame);
        BonePart* bone = table != nullptr ? CurrentBone() : nullptr;
        if (bone == nullptr || !MayReplace(*bone, false)) {
            return;
        }
        bone->boundTriangles.ClearAll();
        table->temporaryGroup.ClearAll();
        ShowTemporaryGroup(frame, table->temporaryGroup);
    }

    void UnbindAll() {
        if (ModelGroupsOrRefuse(frame) == nullptr) {
            return;
        }
        for (BonePart& bone : Document().bones) {
            bone.boundTriangles.ClearAll();
        }
    }

    void ToggleView() {
        if (ModelGroupsOrRefuse(frame) == nullptr) {
            return;
        }
        frame.options.bindingsView = !frame.options.bindingsView;
        const BonePart* bone = Document().BoneByShape(frame.Selection().Shape());
        if (bone != nullptr) {
            ShowTemporaryGroup(frame,
                               frame.options.bindingsView ? bone->boundTriangles : TriangleSet());
        }
    }

    void Guess() {
        if (ModelGroupsOrRefuse(frame) == nullptr) {
            return;
        }
        const GuessOutcome outcome = GuessModelBindings(Document(), [this](int bone) {
            frame.SetStatus("Checking for neighbors of '%s'...", BoneTableName(bone));
        });
        switch (outcome) {
            case GuessOutcome::NoModel:
                GetUi().ShowMessage(NO_MESH_TO_ASSIGN_MESSAGE);
                return;
            case GuessOutcome::ReadBackFailed:
                GetUi().ShowMessage(READ_BACK_FAILED_MESSAGE);
                return;
            case GuessOutcome::Guessed:
                ReportBindingCounts("Guessed bindings");
                return;
        }
    }

    // "<what>: N of the model's T triangles bound to B bones, U unbound."
    void ReportBindingCounts(const char* what) {
        ModelDocument& document = Document();
        TriangleSet bound;
        int bones = 0;
        for (const BonePart& bone : document.bones) {
            bound.Or(bone.boundTriangles);
            bones += bone.boundTriangles.Any() ? 1 : 0;
        }
        const int total = document.model.mesh.TriangleCount();
        const int boundCount = bound.Count();
        frame.SetStatus("%s: %d of the model's %d triangles bound to %d bones, %d unbound.", what,
                        boundCount, total, bones, total > boundCount ? total - boundCount : 0);
    }

    void Load() {
        std::optional<std::string> path = AskPath(false);
        if (!path) {
            return;
        }
        lastLoadPath = *path;
        const Result<bool> clipped = LoadBindingFile(Document(), *path);
        if (!Succeeded(GetUi(), clipped)) {
            return;
        }
        if (*clipped) {
            frame.SetStatus("%s", BINDINGS_CLIPPED_WARNING);
        } else {
            frame.SetStatus("Bindings loaded from '%s'.", path->c_str());
        }
    }

    void Save() {
        std::optional<std::string> path = AskPath(true);
        if (!path) {
            return;
        }
        lastSavePath = *path;
        if (Succeeded(GetUi(), SaveBindingFile(Document(), *path))) {
            frame.SetStatus("%s", READY_STATUS);
        }
    }

    std::optional<std::string> AskPath(bool forSaving) {
        if (forSaving) {
            prompts.ReportProgress("Enter a file name to save the bindings to...");
            return prompts.AskSaveFile({.filter = BINDING_FILE_FILTER,
                                        .defaultExtension = BINDING_FILE_EXTENSION,
                                        .initialPath = lastSavePath});
        }
        prompts.ReportProgress("Enter a file name to load the bindings from...");
        return prompts.AskOpenFile({.filter = BINDING_FILE_FILTER,
                                    .defaultExtension = BINDING_FILE_EXTENSION,
                                    .initialPath = lastLoadPath});
    }

    CMainFrame& frame;
    FramePrompts prompts;
    // Each command remembers its own last file.
    std::string lastLoadPath;
    std::string lastSavePath;
};

}  // namespace

void RegisterBindingCommands(CMainFrame& frame, CommandRouter& router) {
    auto area = std::make_shared<BindingArea>(frame);
    BindAreaCommand(router, ID_SKELETON_BIND_TO_BONE, area, &BindingArea::Bind);
    BindAreaCommand(router, ID_SKELETON_UNBIND_BONE, area, &BindingArea::Unbind);
    router.Bind(ID_SKELETON_ADD_TO_BONE, {.run = [area] { area->Mend(true); }});
    router.Bind(ID_SKELETON_REMOVE_FROM_BONE, {.run = [area] { area->Mend(false); }});
    BindAreaCommand(router, ID_SKELETON_UNBIND_ALL_BONES, area, &BindingArea::UnbindAll);
    BindAreaCommand(router, ID_SKELETON_GUESS_BINDINGS, area, &BindingArea::Guess);
    BindAreaCommand(router, ID_FILE_LOAD_BINDINGS, area, &BindingArea::Load);
    BindAreaCommand(router, ID_FILE_SAVE_BINDINGS, area, &BindingArea::Save);
    BindToggle(
        router, ID_VIEW_BONE_BINDINGS, [area] { area->ToggleView(); },
        [&frame] { return frame.options.bindingsView; });
}

}  // namespace editor::shell
