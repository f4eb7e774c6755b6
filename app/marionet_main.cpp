#include "app/marionet_main.h"

#include "editor/shell/batch_runner.h"
#include "editor/shell/version.h"

namespace app {

using namespace ::editor::shell;

CommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
    CommandLine commandLine;
    if (arguments.empty()) {
        return commandLine;
    }
    const std::string& option = arguments[0];
    if ((option == "--help" || option == "-h") && arguments.size() == 1) {
        commandLine.mode = CommandLine::Mode::Help;
    } else if (option == "--version" && arguments.size() == 1) {
        commandLine.mode = CommandLine::Mode::Version;
    } else if (option == "--batch" && arguments.size() == 2 && !arguments[1].empty()) {
        commandLine.mode = CommandLine::Mode::Batch;
        commandLine.scriptPath = arguments[1];
    } else if (option == "--batch") {
        commandLine.mode = CommandLine::Mode::Error;
        commandLine.error = "--batch takes one script file";
    } else {
        commandLine.mode = CommandLine::Mode::Error;
        commandLine.error = "unknown option '" + option + "'";
        if (arguments.size() > 1 && (option == "--help" || option == "--version")) {
            commandLine.error = option + " takes nothing more";
        }
    }
    return commandLine;
}

std::string UsageText() {
    return "Usage: Marionet [--batch FILE | --help | --version]\n"
           "\n"
           "Without options Marionet opens its window.\n"
           "  --batch FILE  run the script FILE without a window and print what the editor\n"
           "                says, one line each (see \"Batch scripts\" in the README)\n"
           "  --help        show this text\n"
           "  --version     show the version\n";
}

int RunMarionet(const CommandLine& commandLine, std::ostream& out, std::ostream& err,
                const std::function<int()>& window) {
    switch (commandLine.mode) {
        case CommandLine::Mode::Help:
            out << UsageText();
            return 0;
        case CommandLine::Mode::Version:
            out << "Marionet " << MarionetVersion() << "\n";
            return 0;
        case CommandLine::Mode::Batch:
            return BatchRunner(out, err).RunFile(commandLine.scriptPath);
        case CommandLine::Mode::Error:
            err << "Marionet: " << commandLine.error << "\n\n" << UsageText();
            return 1;
        case CommandLine::Mode::Window:
            break;
    }
    if (!window) {
        err << "Marionet: this build has no window; use --batch FILE.\n";
        return 1;
    }
    return window();
}

}  // namespace app
