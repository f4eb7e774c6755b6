#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "editor/shell/scripted_ui.h"

namespace editor::shell {

// The statements of a batch script, one struct per kind.
namespace batch {

// answer ...: queued for the next question the editor asks.
struct Answer {
    ScriptedAnswer answer;
    // answer clear: forgets every answer still queued instead.
    bool clear = false;
};
// run COMMAND: a numeric id or a menu text as written; the check before running fills in id.
struct Run {
    std::string command;
    int id = 0;
};
struct View {
    int width = 0;
    int height = 0;
};
struct Click {
    int x = 0;
    int y = 0;
};
// select NAME: a joint, a bone, model, prop or dividing plane.
struct Select {
    std::string name;
};
struct Pick {
    int face = 0;
};
// show SUBJECT: what it prints.
struct Show {
    enum class Subject { Groups, Temporary, Bone, Selection, Joints };
    Subject subject = Subject::Groups;
    std::string bone;  // Bone only
};
// place JOINT X Y Z: where the joint is wanted, display space.
struct Place {
    std::string joint;
    double point[3] = {0.0, 0.0, 0.0};
};
struct Snapshot {
    std::string path;
};

}  // namespace batch

// One statement of a batch script and the line it was written on.
struct BatchStatement {
    using Action = std::variant<batch::Answer, batch::Run, batch::View, batch::Click, batch::Select,
                                batch::Pick, batch::Show, batch::Place, batch::Snapshot>;
    int line = 0;
    Action action;
};

// A parsed line: a statement, nothing (blank or comment only), or an error message.
struct BatchLine {
    std::optional<BatchStatement> statement;
    std::string error;
};

// Parses one line of a script; `#` starts a comment, keywords are case-insensitive.
BatchLine ParseBatchLine(std::string_view text, int lineNumber);

// The command a `run` statement names, or why there is none.
struct ScriptCommand {
    std::optional<int> id;
    std::string error;
};

// Finds the command a `run` statement names: its numeric id, its menu path ("File/Save",
// "Group/Save") or its plain menu text ("Save Pose"), with "&" and a trailing "..." ignored
// and compared case-insensitively. A text that names more than one command is an error that
// lists their paths, so a script never runs a command its author did not mean.
ScriptCommand FindCommandForScript(std::string_view name);

}  // namespace editor::shell
