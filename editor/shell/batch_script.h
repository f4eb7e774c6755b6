#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "editor/shell/scripted_ui.h"

namespace editor::shell {

// One statement of a batch script.
struct BatchStatement {
    enum class Kind { Answer, Run, View, Click, Select, Pick, Show, Place };
    // What a `show` statement prints.
    enum class Subject { Groups, Temporary, Bone, Selection, Joints };

    Kind kind = Kind::Run;
    int line = 0;
    ScriptedAnswer answer;              // Answer
    std::string command;                // Run: a numeric id or a menu text as written
    int first = 0;                      // View: width; Click: x; Pick: the face
    int second = 0;                     // View: height; Click: y
    std::string name;                   // Select: the object; Show: the bone; Place: the joint
    double point[3] = {0.0, 0.0, 0.0};  // Place: where the joint is wanted, display space
    Subject subject = Subject::Groups;  // Show
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
