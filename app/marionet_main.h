#pragma once

#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace app {

// What the command line asks for.
struct CommandLine {
    enum class Mode { Window, Batch, ImportMocap, Help, Version, Error };
    Mode mode = Mode::Window;
    std::string scriptPath;  // Batch
    std::string error;       // Error
    // ImportMocap
    std::string clipPath;
    std::string posePath;
    double framesPerSecond = 10.0;
    std::string baseName;  // empty: from the clip's file name
    bool keepRootMotion = false;
};

// Arguments after the program name.
CommandLine ParseCommandLine(const std::vector<std::string>& arguments);

// The usage text of --help.
std::string UsageText();

// Runs the program for a parsed command line; `window` opens the window (none in a build
// without it).
int RunMarionet(const CommandLine& commandLine, std::ostream& out, std::ostream& err,
                const std::function<int()>& window);

}  // namespace app
