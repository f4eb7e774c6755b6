#pragma once

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "editor/shell/batch_runner.h"

namespace app {

// What the command line asks for.
struct CommandLine {
    enum class Mode { Window, Batch, ImportMocap, Help, Version, Error };
    Mode mode = Mode::Window;
    std::string scriptPath;  // Batch
    std::string openPath;    // Window: the file to load once it is open; empty for none
    std::string error;       // Error
    // ImportMocap
    std::string clipPath;
    std::string posePath;
    double framesPerSecond = 10.0;
    std::string baseName;  // empty: from the clip's file name
    // --take: the animation of a file that holds several; empty for the first.
    std::string take;
    bool keepRootMotion = false;
};

// Arguments after the program name.
CommandLine ParseCommandLine(const std::vector<std::string>& arguments);

// The usage text of --help.
std::string UsageText();

// What the window layer lends the rest of the program: opening the window (with the file to
// load, or none), and the snapshots of batch scripts (each empty in a build without a window).
struct WindowLayer {
    std::function<int(const std::string& openPath)> window;
    ::editor::shell::BatchRunner::Snapshot snapshot;
};

// Runs the program for a parsed command line.
int RunMarionet(const CommandLine& commandLine, std::ostream& out, std::ostream& err,
                const WindowLayer& windowLayer);

}  // namespace app
