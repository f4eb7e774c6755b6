#include "editor/shell/simplify_model.h"

#include <charconv>
#include <filesystem>

#include "editor/groups/binding_file.h"
#include "editor/groups/model_bindings.h"
#include "editor/io/mesh_simplify.h"
#include "editor/io/raw_mesh.h"
#include "editor/io/store_raw_mesh.h"
#include "editor/model/mesh_data.h"
#include "editor/model/model_document.h"
#include "editor/model/triangle_group_table.h"
#include "editor/shell/main_frame.h"
#include "editor/shell/model_reshape.h"
#include "editor/shell/ui.h"

namespace editor::shell {

using namespace ::editor::groups;
using namespace ::editor::io;
using namespace ::editor::model;

namespace {

constexpr const char* NO_MODEL_MESSAGE = "Please open a model first.";
// Fewer than this is no model any more.
constexpr int kFewestTriangles = 4;

// The triangles' numbers change: bindings and groups made for the old ones would name others.
bool HasBindingsOrGroups(const ModelDocument& document) {
    for (const BonePart& bone : document.bones) {
        if (bone.boundTriangles.Any()) {
            return true;
        }
    }
    const TriangleGroupTable* groups = document.model.mesh.groupTable.get();
    return groups != nullptr && groups->GroupCount() > 0;
}

std::optional<int> ParseCount(const std::string& text, int most) {
    const std::size_t first = text.find_first_not_of(' ');
    const std::size_t last = text.find_last_not_of(' ');
    if (first == std::string::npos) {
        return std::nullopt;
    }
    int count = 0;
    const char* begin = text.data() + first;
    const char* end = text.data() + last + 1;
    auto [stop, error] = std::from_chars(begin, end, count);
    if (error != std::errc() || stop != end || count < kFewestTriangles || count > most) {
        return std::nullopt;
    }
    return count;
}

bool Simplify(MeshData& mesh, int target) {
    ImportedModel model = ModelOfMesh(mesh);
    SimplifyModel(model, static_cast<std::size_t>(target));
    RawMesh raw;
    ToRawMesh(model, raw);
    raw.oriented = mesh.oriented != 0;
    return StoreAndFinish(raw, mesh) == 0;
}

}  // namespace

void ReportSimplified(CMainFrame& frame, const std::string& path, const ImportReport& report) {
    if (report.Simplified()) {
        frame.SetStatus("Simplified '%s' from %zu to %zu triangles.",
                        std::filesystem::path(path).filename().string().c_str(),
                        report.trianglesBefore, report.trianglesAfter);
    }
}

void SimplifyModelCommand(CMainFrame& frame) {
    ModelDocument& document = frame.Document();
    if (document.model.Shape() == nullptr) {
        frame.GetUi().ShowMessage(NO_MODEL_MESSAGE);
        return;
    }
    const int before = document.model.mesh.TriangleCount();
    if (before <= kFewestTriangles) {
        frame.GetUi().ShowMessage("The model has too few triangles to simplify.");
        return;
    }
    TextRequest request;
    request.title = "Simplify the model from " + std::to_string(before) + " triangles to how many?";
    request.initialText = std::to_string(before / 2);
    request.maxLength = 6;
    const std::optional<std::string> answer = frame.GetUi().AskText(request);
    if (!answer) {
        return;
    }
    const std::optional<int> target = ParseCount(*answer, before - 1);
    if (!target) {
        frame.GetUi().ShowMessage("The number of triangles must be a whole number from " +
                                  std::to_string(kFewestTriangles) + " to " +
                                  std::to_string(before - 1) + ".");
        return;
    }
    if (HasBindingsOrGroups(document) &&
        !frame.GetUi().AskOkCancel("Simplifying renumbers the triangles: the model's bone "
                                   "bindings and groups are cleared. Go on?")) {
        return;
    }
    const ModelEdit edit =
        EditModelInPlace(frame, [&](MeshData& mesh) { return Simplify(mesh, *target); });
    if (edit.outcome != ModelEditOutcome::Edited) {
        frame.GetUi().ShowMessage("The model could not be simplified.");
        return;
    }
    SetBindings(document, BoneBindings{});
    frame.RequestRedraw();
    frame.SetStatus("Simplified the model from %d to %d triangles.", before,
                    document.model.mesh.TriangleCount());
}

}  // namespace editor::shell
