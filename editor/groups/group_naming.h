#pragma once
// Saving the temporary group under a name, renaming and deleting named groups: the questions
// they ask and the refusals they show.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "editor/model/fixed_bit_sets.h"
#include "editor/model/forward.h"

namespace editor::groups {

using namespace ::editor::model;

inline constexpr const char* GROUP_CHOICE_TITLE = "Select a group:";
inline constexpr const char* GROUP_NAME_TITLE = "Enter new name for this group:";
inline constexpr const char* NO_GROUP_TABLE_MESSAGE =
    "This object does not support group operations.";
inline constexpr const char* TOO_MANY_GROUPS_MESSAGE = "Too many groups!";
inline constexpr const char* CANT_CREATE_GROUP_MESSAGE = "Unable to create group (out of memory?)";
inline constexpr const char* LAST_GROUP_MESSAGE = "There must always be at least one group!";

// The person's side of the group commands.
struct GroupPrompts {
    // The group list dialog, first entry pre-selected: the chosen index, nothing on Cancel.
    std::function<std::optional<int>(const std::vector<std::string>& names)> chooseGroup;
    // The group name dialog: the text typed, nothing on Cancel.
    std::function<std::optional<std::string>()> askName;
    // The overwrite question for name: true only for Yes.
    std::function<bool(const std::string& name)> confirmOverwrite;
    std::function<void(const std::string& text)> showMessage;
};

// Asks for a group of the table; nothing when cancelled.
std::optional<int> ChooseGroup(const TriangleGroupTable& table, const GroupPrompts& prompts);
// Saves set under a name asked for. A full table is refused before the question, even when the
// name would only replace a group; replacing asks first. False when cancelled or refused.
bool SaveGroupAs(TriangleGroupTable& table, const TriangleSet& set, const GroupPrompts& prompts);
// Gives a chosen group a new name unless another group has it.
void RenameChosenGroup(TriangleGroupTable& table, const GroupPrompts& prompts);
// Deletes a chosen group; the last group is never deleted.
void DeleteChosenGroup(TriangleGroupTable& table, const GroupPrompts& prompts);

}  // namespace editor::groups
