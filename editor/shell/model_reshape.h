#pragma once

#include <functional>

#include "editor/model/forward.h"
#include "editor/shell/forward.h"

namespace editor::shell {

using namespace ::editor::model;

// Changes the editable model's geometry and shows the result: the selection leaves the model,
// change runs on the part (it reads the geometry back from the shape itself, so that moves made
// in the scene are kept), and when it succeeds the model's shape is rebuilt in place of the old
// one and selected again if it was. False (and nothing changed) without a model shape or when
// change fails.
bool ReshapeModel(CMainFrame& frame, const std::function<bool(MeshPart&)>& change);

enum class ModelEditOutcome { NoModel, ReadBackFailed, Unchanged, Edited };
struct ModelEdit {
    ModelEditOutcome outcome = ModelEditOutcome::NoModel;
    // The model was the selection when the edit began.
    bool wasSelected = false;
};
// Edits the model's mesh in the model's own coordinates: the model is deselected, its placement
// remembered and its geometry read back from its shape; then edit runs, and when it reports a
// change the shape is rebuilt from the mesh in place of the old one. Either way the model keeps
// its placement and is selected again if it was. After a failed read-back edit does not run and
// the model stays deselected.
ModelEdit EditModelInPlace(CMainFrame& frame, const std::function<bool(MeshData&)>& edit);

}  // namespace editor::shell
