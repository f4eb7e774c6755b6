#pragma once

namespace platform {

// Opens the editor's window and runs its event loop; returns the exit status. Without a
// display it says how to run the editor under Xvfb or in batch mode and returns 1.
int RunMarionetWindow(int argc, char** argv);

// Whether a window can be opened: a display is named, or Qt was told which platform to use.
bool HasWindowSystem();

}  // namespace platform
