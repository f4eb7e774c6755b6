#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "editor/shell/scripted_ui.h"

namespace editor::shell {

class CommandRouter;

// One statement of a batch script.
struct BatchStatement {
    enum class Kind { Answer, Run, View, Click, Select, Pick, Show };
    // What a `show` statement prints.
    enum class Subject { Groups, Temporary, Bone, Selection };

    Kind kind = Kind::Run;
    int line = 0;
    ScriptedAnswer answer;              // Answer
    std::string command;                // Run: a numeric id or a menu text as written
    int first = 0;                      // View: width; Click: x; Pick: the face
    int second = 0;                     // View: height; Click: y
    std::string name;                   // Select: the object; Show: the bone
    Subject subject = Subject::Groups;  // Show
};

// A parsed line: a statement, nothing (blank or comment only), or an error message.
struct BatchLine {
    std::optional<BatchStatement> statement;
    std::string error;
};

// Parses one line of a script; `#` starts a comment, keywords are case-insensitive.
BatchLine ParseBatchLine(std::string_view text, int lineNumber);

// The command a `run` statement names: its numeric id, or its menu text without "&" and a
// trailing "..." compared case-insensitively. Among commands of the same name the first
// enabled one in menu order wins, else the first. Nothing when no command has that id or name.
std::optional<int> FindCommandForScript(std::string_view name, const CommandRouter& router);

}  // namespace editor::shell
