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

}  // namespace editor::shell
