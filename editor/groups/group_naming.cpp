#include "editor/groups/group_naming.h"

#include "editor/model/triangle_group_table.h"

namespace editor::groups {

using namespace ::editor::model;

namespace {

std::string NameInUseMessage(const std::string& name) {
    return "The name '" + name + "' is in use by another group!";
}

// Any group other than except called name.
bool NameUsedByOther(const TriangleGroupTable& table, const std::string& name, int except) {
    for (int g = 0; g < table.GroupCount(); ++g) {
        if (g != except && table.GroupName(g) == name) {
            return true;
        }
    }
    return false;
}

}  // namespace

std::optional<int> ChooseGroup(const TriangleGroupTable& table, const GroupPrompts& prompts) {
    std::vector<std::string> names;
    for (int g = 0; g < table.GroupCount(); ++g) {
        names.push_back(table.GroupName(g));
    }
    std::optional<int> chosen = prompts.chooseGroup(names);
    if (!chosen || *chosen < 0 || *chosen >= table.GroupCount()) {
        return std::nullopt;
    }
    return chosen;
}

bool SaveGroupAs(TriangleGroupTable& table, const TriangleSet& set, const GroupPrompts& prompts) {
    if (table.GroupCount() >= MAX_TRIANGLE_GROUPS) {
        prompts.showMessage(TOO_MANY_GROUPS_MESSAGE);
        return false;
    }
    std::optional<std::string> name = prompts.askName();
    if (!name) {
        return false;
    }
    if (table.FindGroup(*name) >= 0 && !prompts.confirmOverwrite(*name)) {
        return false;
    }
    if (table.SaveGroup(*name, &set) == 0) {
        prompts.showMessage(CANT_CREATE_GROUP_MESSAGE);
        return false;
    }
    return true;
}

void RenameChosenGroup(TriangleGroupTable& table, const GroupPrompts& prompts) {
    std::optional<int> chosen = ChooseGroup(table, prompts);
    if (!chosen) {
        return;
    }
    std::optional<std::string> name = prompts.askName();
    if (!name) {
        return;
    }
    if (NameUsedByOther(table, *name, *chosen)) {
        prompts.showMessage(NameInUseMessage(*name));
        return;
    }
    table.RenameGroup(*chosen, *name);
}

void DeleteChosenGroup(TriangleGroupTable& table, const GroupPrompts& prompts) {
    if (table.GroupCount() < 2) {
        prompts.showMessage(LAST_GROUP_MESSAGE);
        return;
    }
    if (std::optional<int> chosen = ChooseGroup(table, prompts)) {
        table.DeleteGroup(*chosen);
    }
}

}  // namespace editor::groups
