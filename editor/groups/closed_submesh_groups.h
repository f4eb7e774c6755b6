#pragma once

#include <functional>
#include <string>

#include "editor/model/forward.h"

namespace editor::groups {

using namespace ::editor::model;

// The person's side of offering groups for closed sub-meshes: one Yes/No question and a status
// line per group added.
struct ClosedSubmeshPrompts {
    std::function<bool(const std::string& question)> askYesNo;
    std::function<void(const std::string& status)> report;
};

inline constexpr const char* CLOSED_SUBMESH_QUESTION =
    "Some closed sub-meshes in this model don't have their own group. Create groups for them?";

// The two-letter suffix of the k-th group added (AA, AB, ... AY, BA, ...): the second letter
// never reaches Z.
std::string ClosedSubmeshSuffix(int k);

// Gives every closed piece of a group that has no group of its own a new group named after the
// smallest group holding it plus a suffix; asks once before the first one. Nothing happens for
// a mesh without a group table. Returns the number of groups added.
int OfferClosedSubmeshGroups(MeshData& mesh, const ClosedSubmeshPrompts& prompts);

}  // namespace editor::groups
