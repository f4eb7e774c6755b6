#pragma once
// What batch scripts name and look at in the scene without pixel positions: objects by name,
// faces of the model, and printouts of groups, bindings and the selection.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "editor/model/fixed_bit_sets.h"
#include "editor/shell/forward.h"
#include "editor/shell/script_names.h"
#include "scene/forward.h"
#include "scene/vector.h"

namespace editor::shell {

using namespace ::editor::model;
using namespace ::scene;

// The shape drawing the named object; null when it has none now.
C3dShape* ScriptObjectShape(CMainFrame& frame, std::string_view name);
// Whether a click could select the shape (its part is shown).
bool ScriptObjectSelectable(CMainFrame& frame, const C3dShape& shape);

// The centre of a face in the shape's coordinates; nothing for a face the shape does not have.
std::optional<Vector> FaceCentre(const C3dShape& shape, int face);

// "N triangles:" followed by the set's runs: "3-8" for three or more in a row, single numbers
// otherwise.
std::string DescribeTriangles(const TriangleSet& set);
// The lines of `show groups`, `show temporary`, `show bone NAME` and `show selection`.
std::vector<std::string> ShowGroups(CMainFrame& frame);
std::vector<std::string> ShowTemporary(CMainFrame& frame);
std::vector<std::string> ShowBone(CMainFrame& frame, int bone);
std::vector<std::string> ShowSelection(CMainFrame& frame);
// One line `joint NAME: X Y Z` per joint in index order, display space.
std::vector<std::string> ShowJoints(CMainFrame& frame);

}  // namespace editor::shell
