#pragma once
// Runs a batch script given as text, as `Marionet --batch` would, and keeps what it printed.

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "editor/shell/batch_runner.h"

struct BatchScriptRun {
    // Standard output, a line an entry, and standard error of the last run.
    std::vector<std::string> lines;
    std::string errors;
    // The editor's program directory for the run (ending in "/"); the current one when empty.
    // Runs that export in parallel each need their own, or they share "refskel.bin".
    std::string programDir;

    int Run(const std::string& script, const std::string& logPath,
            const std::string& scriptName = "test.txt") {
        std::istringstream in(script);
        std::ostringstream out, err;
        editor::shell::BatchRunner runner(out, err);
        runner.SetLogPath(logPath);
        runner.SetProgramDirectory(programDir);
        const int result = runner.Run(in, scriptName);
        lines.clear();
        std::istringstream text(out.str());
        for (std::string line; std::getline(text, line);) {
            lines.push_back(line);
        }
        errors = err.str();
        return result;
    }
    bool Printed(const std::string& line) const {
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    }
    // The lines starting with prefix, in order.
    std::vector<std::string> Starting(const std::string& prefix) const {
        std::vector<std::string> found;
        std::copy_if(lines.begin(), lines.end(), std::back_inserter(found),
                     [&](const std::string& line) { return line.rfind(prefix, 0) == 0; });
        return found;
    }
};
