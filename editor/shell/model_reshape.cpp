#include "editor/shell/model_reshape.h"

#include "editor/model/model_document.h"
#include "editor/model/read_back_geometry.h"
#include "editor/shell/main_frame.h"
#include "scene/scene.h"
#include "scene/shape.h"

namespace editor::shell {

using namespace ::editor::model;
using namespace ::scene;

bool ReshapeModel(CMainFrame& frame, const std::function<bool(MeshPart&)>& change) {
    MeshPart& model = frame.Document().model;
    C3dShape* old = model.Shape();
    if (old == nullptr) {
        return false;
    }
    const bool wasSelected = frame.Selection().Shape() == old;
    if (wasSelected) {
        frame.Selection().Select(nullptr);
    }
    const bool changed = change(model);
    C3dFrame* parent = old->GetParent() != nullptr ? old->GetParent() : frame.Scene();
    // When rebuilding fails the old shape stays and goes back in.
    if (changed && parent != nullptr) {
        if (old->GetParent() != nullptr) {
            old->GetParent()->RemoveChild(old);
        }
        model.RebuildShape();
        parent->AddChild(model.Shape());
    }
    if (wasSelected) {
        frame.Selection().Select(model.Shape());
    }
    frame.RequestRedraw();
    return changed;
}

ModelEdit EditModelInPlace(CMainFrame& frame, const std::function<bool(MeshData&)>& edit) {
    MeshPart& model = frame.Document().model;
    C3dShape* old = model.Shape();
    ModelEdit result;
    if (old == nullptr) {
        return result;
    }
    result.wasSelected = frame.Selection().Shape() == old;
    frame.Selection().Select(nullptr);
    model.CapturePlacement();
    if (!ReadBackGeometry(*old, model.mesh, nullptr, true)) {
        result.outcome = ModelEditOutcome::ReadBackFailed;
        return result;
    }
    result.outcome = edit(model.mesh) ? ModelEditOutcome::Edited : ModelEditOutcome::Unchanged;
    if (result.outcome == ModelEditOutcome::Edited) {
        C3dFrame* parent = old->GetParent() != nullptr ? old->GetParent() : frame.Scene();
        if (parent != nullptr) {
            parent->RemoveChild(old);
        }
        model.RebuildShape();
        if (parent != nullptr) {
            parent->AddChild(model.Shape());
        }
    }
    model.ApplyPlacement();
    if (result.wasSelected) {
        frame.Selection().Select(model.Shape());
    }
    frame.RequestRedraw();
    return result;
}

}  // namespace editor::shell
