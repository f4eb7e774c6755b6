#pragma once

#include <string>

namespace platform {

// Opens the editor's window, loads openPath when it is not empty (EditorWindow::OpenFile) and
// runs the event loop; returns the exit status. Without a display it says how to run the
// editor under Xvfb or in batch mode and returns 1.
int RunMarionetWindow(int argc, char** argv, const std::string& openPath = std::string());

// Whether a window can be opened: a display is named, or Qt was told which platform to use.
bool HasWindowSystem();

}  // namespace platform
