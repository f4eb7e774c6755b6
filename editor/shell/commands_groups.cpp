// The "&Group" menu: the temporary group and the named groups of the model, the dividing plane
// and its split, flood fills, near neighbours and the two winding repairs.
#include <optional>

#include "editor/groups/classify_by_plane.h"
#include "editor/groups/flood_fill_triangles.h"
#include "editor/groups/group_display.h"
#include "editor/groups/group_naming.h"
#include "editor/groups/model_bindings.h"
#include "editor/groups/triangles_around.h"
#include "editor/model/model_document.h"
#include "editor/model/read_back_geometry.h"
#include "editor/model/triangle_group_table.h"
#include "editor/model/winding.h"
#include "editor/shell/command_ids.h"
#include "editor/shell/command_router.h"
#include "editor/shell/frame_prompts.h"
#include "editor/shell/group_view.h"
#include "editor/shell/main_frame.h"
#include "editor/shell/model_reshape.h"
#include "editor/shell/outcome_message.h"
#include "scene/scene.h"
#include "scene/shape.h"

namespace editor::shell {

using namespace ::editor::groups;
using namespace ::editor::model;
using namespace ::scene;

namespace {

constexpr const char* PLACE_PLANE_MESSAGE =
    "Please position the dividing plane before trying to split a group.";
constexpr const char* NO_MESH_TO_DIVIDE_MESSAGE = "No imported mesh to divide.";
constexpr const char* SELECT_FACE_MESSAGE = "Please select a face first.";
constexpr const char* READY_STATUS = "Ready.";
// Split may add three groups; it needs room for two before it starts.
constexpr int SPLIT_GROUP_LIMIT = MAX_TRIANGLE_GROUPS - 1;

struct GroupArea {
    explicit GroupArea(CMainFrame& frame) : frame(frame) {}

    MeshPart& Model() { return frame.Document().model; }
    void Redraw() { frame.View().Update(0.0); }

    void New(TriangleGroupTable&) { ShowTemporaryGroup(frame, TriangleSet()); }

    void Save(TriangleGroupTable& table) {
        FramePrompts prompts(frame);
        Succeeded(frame.GetUi(), SaveGroupAs(table, table.temporaryGroup, prompts));
    }

    void Rename(TriangleGroupTable& table) {
        FramePrompts prompts(frame);
        Succeeded(frame.GetUi(), RenameChosenGroup(table, prompts));
    }

    void Delete(TriangleGroupTable& table) {
        FramePrompts prompts(frame);
        Succeeded(frame.GetUi(), DeleteChosenGroup(table, prompts));
    }

    void Add(TriangleGroupTable& table) {
        FramePrompts prompts(frame);
        if (std::optional<int> chosen = ChooseGroup(table, prompts)) {
            const TriangleSet& group = *table.GroupSet(*chosen);
            HighlightTriangles(Model(), group);
            const int before = table.temporaryGroup.Count();
            table.temporaryGroup.Or(group);
            const int now = table.temporaryGroup.Count();
            frame.SetStatus("Added %d triangles of '%s' to the temporary group (now %d).",
                            now - before, table.GroupName(*chosen).c_str(), now);
            Redraw();
        }
    }

    void Subtract(TriangleGroupTable& table) {
        FramePrompts prompts(frame);
        if (std::optional<int> chosen = ChooseGroup(table, prompts)) {
            const TriangleSet& group = *table.GroupSet(*chosen);
            UnhighlightTriangles(Model(), group);
            table.temporaryGroup.AndNot(group);
            Redraw();
        }
    }

    // Shows part alone in blue, after hiding what showed before, and offers to save it.
    void OfferPart(TriangleGroupTable& table, const TriangleSet* shown, const TriangleSet& part) {
        if (shown != nullptr) {
            UnhighlightTriangles(Model(), *shown);
        }
        HighlightTriangles(Model(), part);
        Redraw();
        if (part.Any()) {
            FramePrompts prompts(frame);
            Succeeded(frame.GetUi(), SaveGroupAs(table, part, prompts));
        }
    }

    void Split(TriangleGroupTable& table) {
        ModelDocument& document = frame.Document();
        if (document.dividingPlane.visible == 0) {
            frame.GetUi().ShowMessage(PLACE_PLANE_MESSAGE);
            return;
        }
        if (table.GroupCount() >= SPLIT_GROUP_LIMIT) {
            frame.GetUi().ShowMessage(TOO_MANY_GROUPS_MESSAGE);
            return;
        }
        MeshPart& model = Model();
        if (model.Shape() == nullptr) {
            frame.GetUi().ShowMessage(NO_MESH_TO_DIVIDE_MESSAGE);
            return;
        }
        if (!ReadBackGeometry(*model.Shape(), model.mesh, document.scene, false)) {
            frame.GetUi().ShowMessage(READ_BACK_FAILED_MESSAGE);
            return;
        }
        MeshPart& plane = document.dividingPlane;
        plane.CapturePlacement();
        Vector normal = plane.up;
        normal.Normalize();
        const PlaneSides sides =
            ClassifyByPlane(model.mesh, table.temporaryGroup, plane.position, normal);
        UnhighlightTriangles(model, sides.back);
        OfferPart(table, &sides.straddling, sides.front);
        OfferPart(table, &sides.front, sides.back);
        OfferPart(table, &sides.back, sides.straddling);
        UnhighlightTriangles(model, sides.straddling);
        table.temporaryGroup.ClearAll();
    }

    void ToggleDividingPlane() {
        ModelDocument& document = frame.Document();
        MeshPart& plane = document.dividingPlane;
        if (plane.Shape() != nullptr && frame.Selection().Shape() == plane.Shape()) {
            frame.Selection().Select(nullptr);
        }
        document.dividingPlaneVisible = document.dividingPlaneVisible ? 0 : 1;
        plane.Show(document.dividingPlaneVisible);
        Redraw();
    }

    // The connected triangles around the first corner of the picked face; nothing, after
    // telling the user, without a picked face.
    std::optional<TriangleSet> ConnectedToPickedFace() {
        const MeshData& mesh = Model().mesh;
        int a = 0, b = 0, c = 0;
        if (frame.Selection().PickedFace() < 0 ||
            !mesh.GetTriangle(frame.Selection().PickedFace(), a, b, c)) {
            frame.GetUi().ShowMessage(SELECT_FACE_MESSAGE);
            return std::nullopt;
        }
        TriangleSet all;
        all.SetRange(0, mesh.TriangleCount());
        TriangleSet connected;
        FloodFillTriangles(mesh, a, all, connected);
        return connected;
    }

    void FloodAdd(TriangleGroupTable& table) {
        if (std::optional<TriangleSet> connected = ConnectedToPickedFace()) {
            table.temporaryGroup.Or(*connected);
            HighlightTriangles(Model(), *connected);
            Redraw();
        }
    }

    void FloodSubtract(TriangleGroupTable& table) {
        if (std::optional<TriangleSet> connected = ConnectedToPickedFace()) {
            table.temporaryGroup.AndNot(*connected);
            UnhighlightTriangles(Model(), *connected);
            Redraw();
        }
    }

    void AddNearNeighbours(TriangleGroupTable& table) {
        ShowTemporaryGroup(frame, NearNeighbours(Model().mesh, table.temporaryGroup));
        frame.SetStatus("%s", READY_STATUS);
    }

    // Runs edit on the model's triangles in its own coordinates and puts the rebuilt shape where
    // the old one stood; then shows the triangles edit returns.
    template <class Edit>
    void EditWinding(Edit edit) {
        TriangleSet shown;
        const ModelEdit result = EditModelInPlace(frame, [&](MeshData& mesh) {
            shown = edit(mesh);
            return true;
        });
        if (result.outcome == ModelEditOutcome::ReadBackFailed) {
            frame.GetUi().ShowMessage(READ_BACK_FAILED_MESSAGE);
            return;
        }
        if (result.outcome == ModelEditOutcome::Edited) {
            ShowTemporaryGroup(frame, shown);
            frame.SetStatus("%s", READY_STATUS);
        }
    }

    void ReverseNormals(TriangleGroupTable& table) {
        if (!table.temporaryGroup.Any()) {
            return;
        }
        const TriangleSet group = table.temporaryGroup;
        EditWinding([&group](MeshData& mesh) {
            group.ForEachSet([&mesh](int t) { ReverseWinding(mesh, t, nullptr); },
                             mesh.TriangleCount());
            return group;
        });
    }

    void FixNeighbourNormals(TriangleGroupTable& table) {
        // Without a picked face there is no triangle to orient the others by.
        if (!table.temporaryGroup.Any() || frame.Selection().PickedFace() < 0) {
            frame.GetUi().ShowMessage(SELECT_FACE_MESSAGE);
            return;
        }
        const int seed = frame.Selection().PickedFace();
        const TriangleSet group = table.temporaryGroup;
        EditWinding([&group, seed](MeshData& mesh) {
            const TriangleSet ring = TrianglesWithCorners(mesh, CornersOf(mesh, group));
            TriangleSet candidates = ring;
            OrientNeighbours(mesh, seed, candidates, nullptr);
            return ring;
        });
    }

    CMainFrame& frame;
};

using GroupCommand = void (GroupArea::*)(TriangleGroupTable&);

void BindGroupCommand(CommandRouter& router, int id, const std::shared_ptr<GroupArea>& area,
                      GroupCommand command) {
    router.Bind(id, {.run = [area, command] {
                    if (TriangleGroupTable* table = ModelGroupsOrRefuse(area->frame)) {
                        ((*area).*command)(*table);
                    }
                }});
}

}  // namespace

void RegisterGroupCommands(CMainFrame& frame, CommandRouter& router) {
    auto area = std::make_shared<GroupArea>(frame);
    const struct {
        int id;
        GroupCommand command;
    } commands[] = {
        {ID_GROUP_NEW, &GroupArea::New},
        {ID_GROUP_SAVE, &GroupArea::Save},
        {ID_GROUP_RENAME, &GroupArea::Rename},
        {ID_GROUP_DELETE, &GroupArea::Delete},
        {ID_GROUP_ADD, &GroupArea::Add},
        {ID_GROUP_SUBTRACT, &GroupArea::Subtract},
        {ID_GROUP_SPLIT, &GroupArea::Split},
        {ID_GROUP_FLOOD_ADD, &GroupArea::FloodAdd},
        {ID_GROUP_FLOOD_SUBTRACT, &GroupArea::FloodSubtract},
        {ID_GROUP_ADD_NEAR_NEIGHBORS, &GroupArea::AddNearNeighbours},
        {ID_GROUP_REVERSE_NORMALS, &GroupArea::ReverseNormals},
        {ID_GROUP_FIX_NEIGHBOR_NORMALS, &GroupArea::FixNeighbourNormals},
    };
    for (const auto& entry : commands) {
        BindGroupCommand(router, entry.id, area, entry.command);
    }
    // The wrap fill was never written; its handler is there so that a script naming it runs on
    // instead of stopping at a disabled command.
    router.Bind(ID_GROUP_WRAP_ADD, {.run = [] {}});
    BindToggle(
        router, ID_VIEW_DIVIDING_PLANE, [area] { area->ToggleDividingPlane(); },
        [&frame] { return frame.Document().dividingPlaneVisible != 0; });
}

}  // namespace editor::shell
