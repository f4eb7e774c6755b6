#pragma once
// Saving the temporary group under a name, renaming and deleting named groups: the questions
// they ask and the refusals they return.

#include <optional>
#include <string>
#include <vector>

#include "bytes/status.h"
#include "editor/model/fixed_bit_sets.h"
#include "editor/model/forward.h"
#include "editor/prompts/prompts.h"

namespace editor::groups {

using namespace ::bytes;
using namespace ::editor::model;
using namespace ::editor::prompts;

inline constexpr const char* GROUP_CHOICE_TITLE = "Select a group:";
inline constexpr const char* GROUP_NAME_TITLE = "Enter new name for this group:";
inline constexpr const char* NO_GROUP_TABLE_MESSAGE =
    "This object does not support group operations.";
inline constexpr const char* TOO_MANY_GROUPS_MESSAGE = "Too many groups!";
inline constexpr const char* CANT_CREATE_GROUP_MESSAGE = "Unable to create group (out of memory?)";
inline constexpr const char* LAST_GROUP_MESSAGE = "There must always be at least one group!";

// Asks for a group of the table (the list dialog, first entry pre-selected); nothing when
// cancelled.
std::optional<int> ChooseGroup(const TriangleGroupTable& table, Prompts& prompts);
// Saves set under a name asked for. A full table is refused before the question, even when the
// name would only replace a group; replacing asks first.
Status SaveGroupAs(TriangleGroupTable& table, const TriangleSet& set, Prompts& prompts);
// Gives a chosen group a new name unless another group has it.
Status RenameChosenGroup(TriangleGroupTable& table, Prompts& prompts);
// Deletes a chosen group; the last group is never deleted.
Status DeleteChosenGroup(TriangleGroupTable& table, Prompts& prompts);

}  // namespace editor::groups
