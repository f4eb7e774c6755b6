#include "editor/shell/program_files.h"

#include <filesystem>
#include <system_error>

namespace editor::shell {

namespace {

bool IsFile(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

}  // namespace

std::string InstalledDataDirectory(const std::string& executablePath) {
    if (executablePath.empty()) {
        return std::string();
    }
    const std::filesystem::path program(executablePath);
    std::filesystem::path data =
        (program.parent_path() / ".." / "share" / "marionet").lexically_normal();
    std::string text = data.string();
    if (text.empty() || text.back() != '/') {
        text.push_back('/');
    }
    return text;
}

std::string RunningExecutablePath() {
    std::error_code error;
    std::filesystem::path path = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string() : path.string();
}

std::string FindProgramFile(const std::string& programDir, const std::string& installedDir,
                            const std::string& name) {
    const std::string beside = programDir + name;
    if (IsFile(beside) || installedDir.empty()) {
        return beside;
    }
    const std::string installed = installedDir + name;
    return IsFile(installed) ? installed : beside;
}

}  // namespace editor::shell
