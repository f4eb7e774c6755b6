#pragma once

#include "editor/groups/group_naming.h"
#include "editor/model/fixed_bit_sets.h"
#include "editor/model/forward.h"
#include "editor/shell/forward.h"

namespace editor::shell {

using namespace ::editor::groups;
using namespace ::editor::model;

// Makes set the model's temporary group, draws it and re-renders the view.
void ShowTemporaryGroup(CMainFrame& frame, const TriangleSet& set);
// The model's group table; null, after telling the user, when the model carries no groups.
TriangleGroupTable* ModelGroupsOrRefuse(CMainFrame& frame);

}  // namespace editor::shell
