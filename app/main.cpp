#include <iostream>

#include "app/marionet_main.h"

#ifdef MARIONET_WITH_WINDOW
#include "platform/run_window.h"
#endif

using namespace ::app;

int main(int argc, char** argv) {
    CommandLine commandLine = ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    std::function<int()> window;
#ifdef MARIONET_WITH_WINDOW
    window = [argc, argv] { return platform::RunMarionetWindow(argc, argv); };
#endif
    return RunMarionet(commandLine, std::cout, std::cerr, window);
}
