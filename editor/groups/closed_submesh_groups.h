#pragma once

#include <string>

#include "editor/model/forward.h"
#include "editor/prompts/prompts.h"

namespace editor::groups {

using namespace ::editor::model;
using namespace ::editor::prompts;

inline constexpr const char* CLOSED_SUBMESH_QUESTION =
    "Some closed sub-meshes in this model don't have their own group. Create groups for them?";

// The two-letter suffix of the k-th group added (AA, AB, ... AY, BA, ...): the second letter
// never reaches Z.
std::string ClosedSubmeshSuffix(int k);

// Gives every closed piece of a group that has no group of its own a new group named after the
// smallest group holding it plus a suffix; asks once (Yes/No) before the first one and reports
// each group added as a step. Nothing happens for a mesh without a group table. Returns the
// number of groups added.
int OfferClosedSubmeshGroups(MeshData& mesh, Prompts& prompts);

}  // namespace editor::groups
