#pragma once
// The names batch scripts give scene objects: the skeleton's joints and bones by their table
// names, and the model, the prop and the dividing plane.

#include <string_view>

namespace editor::shell {

inline constexpr std::string_view SCRIPT_MODEL_NAME = "model";
inline constexpr std::string_view SCRIPT_PROP_NAME = "prop";

// Compared without regard to case.
bool IsScriptObjectName(std::string_view name);
// The joint or bone of that name, or -1.
int ScriptJointIndex(std::string_view name);
int ScriptBoneIndex(std::string_view name);

}  // namespace editor::shell
