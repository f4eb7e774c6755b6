#include "editor/groups/group_naming.h"

#include "editor/model/triangle_group_table.h"
#include "editor/prompts/questions.h"

namespace editor::groups {

using namespace ::editor::model;
using namespace ::editor::prompts;

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

// The group name dialog: the text typed.
std::optional<std::string> AskGroupName(Prompts& prompts) {
    return prompts.AskText({.title = GROUP_NAME_TITLE});
}

}  // namespace

std::optional<int> ChooseGroup(const TriangleGroupTable& table, Prompts& prompts) {
    std::vector<std::string> names;
    for (int g = 0; g < table.GroupCount(); ++g) {
        names.push_back(table.GroupName(g));
    }
    std::optional<int> chosen =
        prompts.AskListChoice({.title = GROUP_CHOICE_TITLE, .items = names, .initialIndex = 0});
    if (!chosen || *chosen < 0 || *chosen >= table.GroupCount()) {
        return std::nullopt;
    }
    return chosen;
}

Status SaveGroupAs(TriangleGroupTable& table, const TriangleSet& set, Prompts& prompts) {
    if (table.GroupCount() >= MAX_TRIANGLE_GROUPS) {
        return Status::Refuse(TOO_MANY_GROUPS_MESSAGE);
    }
    std::optional<std::string> name = AskGroupName(prompts);
    if (!name) {
        return Status::Cancel();
    }
    if (table.FindGroup(*name) >= 0 && !prompts.AskYesNo(OverwriteQuestion(*name))) {
        return Status::Cancel();
    }
    if (table.SaveGroup(*name, &set) == 0) {
        return Status::Refuse(CANT_CREATE_GROUP_MESSAGE);
    }
    return {};
}

Status RenameChosenGroup(TriangleGroupTable& table, Prompts& prompts) {
    std::optional<int> chosen = ChooseGroup(table, prompts);
    if (!chosen) {
        return Status::Cancel();
    }
    std::optional<std::string> name = AskGroupName(prompts);
    if (!name) {
        return Status::Cancel();
    }
    if (NameUsedByOther(table, *name, *chosen)) {
        return Status::Refuse(NameInUseMessage(*name));
    }
    table.RenameGroup(*chosen, *name);
    return {};
}

Status DeleteChosenGroup(TriangleGroupTable& table, Prompts& prompts) {
    if (table.GroupCount() < 2) {
        return Status::Refuse(LAST_GROUP_MESSAGE);
    }
    std::optional<int> chosen = ChooseGroup(table, prompts);
    if (!chosen) {
        return Status::Cancel();
    }
    table.DeleteGroup(*chosen);
    return {};
}

}  // namespace editor::groups
