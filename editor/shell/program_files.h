#pragma once

#include <string>

namespace editor::shell {

// The shared files of an installed editor: <prefix>/share/marionet/ for a program in
// <prefix>/bin/, ending with "/". Empty when the program's own path is unknown.
std::string InstalledDataDirectory(const std::string& executablePath);

// The running program's path ("/proc/self/exe" resolved); empty when it cannot be read.
std::string RunningExecutablePath();

// The path of a side file read by a fixed name ("default.spz", "mocap.spz"): the program
// directory's when it is there, else the installed one's when that is there, else the program
// directory's (so that what is reported missing is where the user would put it).
std::string FindProgramFile(const std::string& programDir, const std::string& installedDir,
                            const std::string& name);

}  // namespace editor::shell
