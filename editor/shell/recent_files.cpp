#include "editor/shell/recent_files.h"

#include <algorithm>

#include "scene/input/settings_store.h"

namespace editor::shell {

using namespace ::scene::input;

namespace {

std::string EntryKey(int index) {
    return "File" + std::to_string(index + 1);
}

}  // namespace

std::vector<std::string> RecentFiles(const SettingsStore& settings) {
    std::vector<std::string> paths;
    for (int i = 0; i < RECENT_FILE_COUNT; ++i) {
        std::string path = settings.GetString(RECENT_FILE_SECTION, EntryKey(i), "");
        if (!path.empty()) {
            paths.push_back(std::move(path));
        }
    }
    return paths;
}

void AddRecentFile(SettingsStore& settings, const std::string& path) {
    std::vector<std::string> paths = RecentFiles(settings);
    paths.erase(std::remove(paths.begin(), paths.end(), path), paths.end());
    paths.insert(paths.begin(), path);
    paths.resize(std::min<size_t>(paths.size(), RECENT_FILE_COUNT));
    for (int i = 0; i < RECENT_FILE_COUNT; ++i) {
        settings.WriteString(RECENT_FILE_SECTION, EntryKey(i),
                             i < static_cast<int>(paths.size()) ? paths[i] : "");
    }
}

}  // namespace editor::shell
