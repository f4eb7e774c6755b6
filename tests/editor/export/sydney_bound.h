#pragma once
// The sample character as the export tests start from her: her standing frame opened (no groups
// for closed sub-meshes) and bound from her sample bindings.

#include <string>
#include <vector>

#include "editor/shell/scripted_ui.h"

inline const std::string SYDNEY = std::string(MARIONET_SOURCE_DIR) + "/samples/sydney/";
inline const std::string JUMP = std::string(MARIONET_SOURCE_DIR) + "/samples/cmu_01_01_jump.spz";

// The answers "Open..." and then "Load Bindings..." take.
inline std::vector<editor::shell::ScriptedAnswer> SydneyBoundAnswers() {
    using editor::shell::ScriptedAnswer;
    return {ScriptedAnswer::File(SYDNEY + "sydney.md2"),
            ScriptedAnswer::Text("stand1"),
            ScriptedAnswer::Press(ScriptedAnswer::Button::No),
            ScriptedAnswer::Press(ScriptedAnswer::Button::Ok),
            ScriptedAnswer::Press(ScriptedAnswer::Button::Ok),
            ScriptedAnswer::File(SYDNEY + "sydney.bnd")};
}
