// Opening a model, the prop and its merge into the model, the merged skin, the background
// picture and the recent-file list.
#include "editor/shell/commands_props.h"

#include <memory>
#include <utility>

#include "editor/groups/closed_submesh_groups.h"
#include "editor/io/import_mesh.h"
#include "editor/model/mesh_data.h"
#include "editor/model/model_document.h"
#include "editor/model/triangle_group_table.h"
#include "editor/props/prop_merge.h"
#include "editor/props/skin_merge.h"
#include "editor/shell/command_ids.h"
#include "editor/shell/command_router.h"
#include "editor/shell/embedded_skin.h"
#include "editor/shell/frame_prompts.h"
#include "editor/shell/main_frame.h"
#include "editor/shell/recent_files.h"
#include "editor/shell/rig_takeover.h"
#include "editor/shell/simplify_model.h"
#include "scene/image.h"
#include "scene/scene.h"
#include "scene/shape.h"

namespace editor::shell {

using namespace ::editor::groups;
using namespace ::editor::io;
using namespace ::editor::model;
using namespace ::editor::props;
using namespace ::scene;

namespace {

constexpr const char* GENERATED_VIEW_MESSAGE =
    "Please exit the Generated Model view before opening a new model or prop.";

// Opening is refused while the generated model is shown; said before any question about
// unsaved changes, which would otherwise be asked for nothing.
bool RefusedInGeneratedView(CMainFrame& frame) {
    if (frame.Document().viewGenerated == 0) {
        return false;
    }
    frame.GetUi().ShowMessage(GENERATED_VIEW_MESSAGE);
    return true;
}

// Shows what became of a merge: its messages, then its status line.
void ShowMergeOutcome(CMainFrame& frame, const MergeOutcome& outcome) {
    for (const std::string& message : outcome.messages) {
        frame.GetUi().ShowMessage(message);
    }
    if (!outcome.status.empty()) {
        frame.SetStatus("%s", outcome.status.c_str());
    }
}

// Merges the prop into the model with the frame's questions and selection; true when merged.
bool MergeFramesProp(CMainFrame& frame) {
    FramePrompts prompts(frame);
    const ModelSelection selection{
        .deselect =
            [&frame] {
                const C3dShape* model = frame.Document().model.Shape();
                const bool wasSelected = model != nullptr && frame.Selection().Shape() == model;
                frame.Selection().Select(nullptr);
                return wasSelected;
            },
        .reselect = [&frame] { frame.Selection().Select(frame.Document().model.Shape()); }};
    const MergeOutcome outcome = MergeProp(frame.Document(), prompts, selection);
    if (outcome.done) {
        frame.View().Update(0.0);
    }
    ShowMergeOutcome(frame, outcome);
    return outcome.done;
}

// Puts a new shape in place of the part's old one (which leaves the scene), keeping the
// selection on the part when it was there.
void ReplacePartShape(CMainFrame& frame, MeshPart& part, std::unique_ptr<C3dShape> shape) {
    const bool wasSelected = part.Shape() != nullptr && frame.Selection().Shape() == part.Shape();
    if (wasSelected) {
        frame.Selection().Select(nullptr);
    }
    part.SetShape(std::move(shape));
    if (frame.Scene() != nullptr) {
        frame.Scene()->AddChild(part.Shape());
    }
    if (wasSelected) {
        frame.Selection().Select(part.Shape());
    }
}

// "Prop": shows or hides the prop. Its shape is rebuilt either way; the new shape keeps the
// old one's placement, so a prop the user has moved stays where it was put.
void ToggleProp(CMainFrame& frame) {
    MeshPart& prop = frame.Document().prop;
    const uint32_t show = prop.visible ? 0 : 1;
    C3dShape* old = prop.Shape();
    if (old == nullptr) {
        prop.Show(show);
        return;
    }
    const C3dMatrix placement = old->GetTransform();
    C3dFrame* parent = old->GetParent() != nullptr ? old->GetParent() : frame.Scene();
    const bool wasSelected = frame.Selection().Shape() == old;
    if (wasSelected) {
        frame.Selection().Select(nullptr);
    }
    if (old->GetParent() != nullptr) {
        old->GetParent()->RemoveChild(old);
    }
    prop.RebuildShape();
    prop.Shape()->SetTransform(placement);
    if (parent != nullptr) {
        parent->AddChild(prop.Shape());
    }
    prop.Show(show);
    if (wasSelected) {
        frame.Selection().Select(prop.Shape());
    }
    frame.View().Update(0.0);
}

// The prop leaves the scene and is emptied.
void DiscardProp(CMainFrame& frame) {
    MeshPart& prop = frame.Document().prop;
    C3dShape* shape = prop.Shape();
    if (shape != nullptr && frame.Selection().Shape() == shape) {
        frame.Selection().Select(nullptr);
    }
    if (shape != nullptr && shape->GetParent() != nullptr) {
        shape->GetParent()->RemoveChild(shape);
    }
    prop.ReleaseShape();
    prop.ClearMesh();
}

void MergedSkinCommand(CMainFrame& frame) {
    FramePrompts prompts(frame);
    SkinMergeOutcome outcome =
        MergeSkins(frame.Document(), prompts, [&frame] { frame.View().Update(0.0); });
    if (outcome.done && frame.Hooks().mergedSkinSaved) {
        frame.Hooks().mergedSkinSaved(std::move(outcome.skin));
    }
    frame.View().Update(0.0);
    ShowMergeOutcome(frame, outcome);
}

void BackgroundCommand(CMainFrame& frame) {
    if (frame.Scene() == nullptr) {
        frame.SetStatus("Background image load failed.");
        return;
    }
    FramePrompts prompts(frame);
    const MergeOutcome outcome = LoadBackground(*frame.Scene(), prompts);
    if (outcome.done) {
        frame.View().Update(0.0);
    }
    ShowMergeOutcome(frame, outcome);
}

// A mesh to import into, with a group table as the prop's has.
std::unique_ptr<MeshData> ImportTarget() {
    auto mesh = std::make_unique<MeshData>();
    mesh->groupTable = std::make_unique<TriangleGroupTable>();
    return mesh;
}

// The prop's mesh becomes what was imported: geometry, groups and the import's normals.
void TakeImportedMesh(MeshData& prop, MeshData& imported) {
    prop.CopyGeometryFrom(imported);
    prop.groupTable->ClearGroups();
    prop.groupTable->MergeGroups(*imported.groupTable, 0);
    prop.groupTable->temporaryGroup = imported.groupTable->temporaryGroup;
    prop.normalIndices = std::move(imported.normalIndices);
}

void BindRecentFile(CMainFrame& frame, CommandRouter& router, int id, int index) {
    router.Bind(id, {.run =
                         [&frame, index] {
                             const std::vector<std::string> paths = RecentFiles(frame.Settings());
                             if (index < static_cast<int>(paths.size()) &&
                                 !RefusedInGeneratedView(frame) && frame.ConfirmDiscardChanges()) {
                                 OpenModelFile(frame, paths[index]);
                             }
                         },
                     .isEnabled =
                         [&frame, index] {
                             return index < static_cast<int>(RecentFiles(frame.Settings()).size());
                         }});
}

}  // namespace

std::optional<std::string> OpenMeshAsProp(CMainFrame& frame, const std::string& path,
                                          ImportReport* report) {
    ModelDocument& document = frame.Document();
    if (document.viewGenerated) {
        frame.GetUi().ShowMessage(GENERATED_VIEW_MESSAGE);
        return std::nullopt;
    }
    frame.SetStatus("Loading...");
    auto shape = std::make_unique<C3dShape>();
    FramePrompts questions(frame);
    ImportReport ownReport;
    report = report != nullptr ? report : &ownReport;
    // Read into a mesh of its own: a file that fails half-way leaves the prop's mesh as it was,
    // still the mesh its shape draws, so that a later merge takes what is shown.
    std::unique_ptr<MeshData> imported = ImportTarget();
    Result<std::string> loaded =
        ImportMesh(*shape, *imported, path, &questions, &frame.lastImportPath, report);
    if (!loaded) {
        // A cancelled dialog ends the command silently, without leaving "Loading..." behind.
        if (questions.Cancelled()) {
            frame.SetStatus("Ready.");
            return std::nullopt;
        }
        frame.GetUi().ShowMessage(IMPORT_FAILED_MESSAGE);
        frame.SetStatus(
            "Unable to load '%s': %s.", frame.lastImportPath.c_str(),
            loaded.Reason().empty() ? "the file cannot be read" : loaded.Reason().c_str());
        return std::nullopt;
    }
    TakeImportedMesh(document.prop.mesh, *imported);
    FramePrompts prompts(frame);
    OfferClosedSubmeshGroups(document.prop.mesh, prompts);
    ReplacePartShape(frame, document.prop, std::move(shape));
    frame.SetStatus("Imported: %s", loaded->c_str());
    ReportSimplified(frame, *loaded, *report);
    return *loaded;
}

bool OpenModelFile(CMainFrame& frame, const std::string& path) {
    // Opening merges into the model; into an empty one it is the file itself.
    const bool modelWasEmpty = frame.Document().model.Shape() == nullptr;
    ImportReport report;
    std::optional<std::string> opened = OpenMeshAsProp(frame, path, &report);
    if (!opened) {
        return false;
    }
    AddRecentFile(frame.Settings(), *opened);
    frame.SetStatus("Opened: %s", opened->c_str());
    ResetMergedProps(frame.Document());
    if (!MergeFramesProp(frame)) {
        // The file did not become part of the model. Left behind as a prop it would be drawn
        // solid beside the model, out of reach of the model's "Solid" toggle.
        DiscardProp(frame);
        return true;
    }
    if (modelWasEmpty) {
        frame.Saved().MarkSaved(frame.Document(), *opened);
    }
    for (const auto& hook : frame.Hooks().modelOpened) {
        hook(*opened);
    }
    UseEmbeddedSkin(frame, report);
    ReportSimplified(frame, *opened, report);
    OfferRigTakeover(frame, *opened, report);
    return true;
}

void RegisterPropCommands(CMainFrame& frame, CommandRouter& router) {
    router.Bind(ID_FILE_OPEN, {.run = [&frame] {
                    if (!RefusedInGeneratedView(frame) && frame.ConfirmDiscardChanges()) {
                        OpenModelFile(frame, std::string());
                    }
                }});
    // "Open Prop..." imports into the prop part, so it is this area's command alone.
    router.Bind(ID_FILE_OPEN_PROP, {.run = [&frame] {
                    if (auto opened = OpenMeshAsProp(frame, std::string())) {
                        frame.Document().prop.ShowSolid(1);
                        for (const auto& hook : frame.Hooks().propOpened) {
                            hook(*opened);
                        }
                    }
                }});
    BindToggle(
        router, ID_VIEW_PROP, [&frame] { ToggleProp(frame); },
        [&frame] { return frame.Document().prop.visible != 0; });
    router.Bind(ID_MODEL_MERGE_PROP, {.run = [&frame] { MergeFramesProp(frame); }});
    router.Bind(ID_EXPORT_MERGED_SKIN, {.run = [&frame] { MergedSkinCommand(frame); }});
    router.Bind(ID_FILE_BACKGROUND, {.run = [&frame] { BackgroundCommand(frame); }});
    const int recentIds[RECENT_FILE_COUNT] = {ID_FILE_MRU_FILE1, ID_FILE_MRU_FILE2,
                                              ID_FILE_MRU_FILE3, ID_FILE_MRU_FILE4};
    for (int i = 0; i < RECENT_FILE_COUNT; ++i) {
        BindRecentFile(frame, router, recentIds[i], i);
    }
}

}  // namespace editor::shell
