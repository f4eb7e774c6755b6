#include <iostream>

#include "app/marionet_main.h"

#ifdef MARIONET_WITH_WINDOW
#include "platform/qt_pictures.h"
#include "platform/run_window.h"
#endif

using namespace ::app;

int main(int argc, char** argv) {
    CommandLine commandLine = ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    WindowLayer windowLayer;
#ifdef MARIONET_WITH_WINDOW
    platform::InstallQtPictureDecoder();
    windowLayer.window = [argc, argv](const std::string& openPath) {
        return platform::RunMarionetWindow(argc, argv, openPath);
    };
    windowLayer.snapshot = platform::SnapshotStage;
#endif
    return RunMarionet(commandLine, std::cout, std::cerr, windowLayer);
}
