#pragma once

#include <string>
#include <vector>

#include "scene/input/forward.h"

namespace editor::shell {

using namespace ::scene::input;

inline constexpr int RECENT_FILE_COUNT = 4;
inline constexpr const char* RECENT_FILE_SECTION = "Recent File List";

// The most recently opened model files, newest first, kept in the settings under
// "Recent File List" as "File1" to "File4"; empty entries are skipped.
std::vector<std::string> RecentFiles(const SettingsStore& settings);

// Puts path at the front of the list (moving it there when it is already listed) and drops
// the oldest entry beyond four.
void AddRecentFile(SettingsStore& settings, const std::string& path);

}  // namespace editor::shell
