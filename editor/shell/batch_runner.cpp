#include "editor/shell/batch_runner.h"

#include <fstream>
#include <vector>

#include "editor/shell/batch_script.h"
#include "editor/shell/main_frame.h"
#include "scene/input/memory_settings_store.h"

namespace editor::shell {

using namespace ::scene::input;

namespace {

std::string Where(const std::string& scriptName, int line) {
    return scriptName + ":" + std::to_string(line) + ": ";
}

}  // namespace

int BatchRunner::RunFile(const std::string& path) {
    std::ifstream script(path, std::ios::binary);
    if (!script) {
        err_ << "Cannot open the script '" << path << "'.\n";
        return 1;
    }
    return Run(script, path);
}

int BatchRunner::Run(std::istream& script, const std::string& scriptName) {
    std::vector<BatchStatement> statements;
    std::string text;
    for (int lineNumber = 1; std::getline(script, text); ++lineNumber) {
        BatchLine line = ParseBatchLine(text, lineNumber);
        if (!line.error.empty()) {
            err_ << Where(scriptName, lineNumber) << line.error << "\n";
            return 1;
        }
        if (line.statement) {
            statements.push_back(std::move(*line.statement));
        }
    }

    // A misspelt or ambiguous command stops the script before anything runs.
    for (const BatchStatement& statement : statements) {
        if (statement.kind != BatchStatement::Kind::Run) {
            continue;
        }
        const ScriptCommand command = FindCommandForScript(statement.command);
        if (!command.id) {
            err_ << Where(scriptName, statement.line) << command.error << "\n";
            return 1;
        }
    }

    ScriptedUi ui;
    ui.SetLineSink([this](const std::string& line) { out_ << line << '\n' << std::flush; });
    MemorySettingsStore settings;
    CMainFrame frame(ui, settings, std::string(), logPath_);
    frame.SetWriteSettingsOnClose(false);
    frame.PreCreate();
    if (!frame.Create(kDefaultViewWidth, kDefaultViewHeight)) {
        err_ << "The editor could not start.\n";
        return 1;
    }
    for (const BatchStatement& statement : statements) {
        switch (statement.kind) {
            case BatchStatement::Kind::Answer:
                ui.Queue(statement.answer);
                break;
            case BatchStatement::Kind::View:
                frame.View().Resize(statement.first, statement.second);
                break;
            case BatchStatement::Kind::Click:
                frame.ClickView(statement.first, statement.second);
                break;
            case BatchStatement::Kind::Run: {
                const int id = *FindCommandForScript(statement.command).id;
                if (!frame.RunCommand(id)) {
                    err_ << Where(scriptName, statement.line) << "command '" << statement.command
                         << "' (" << id << ") is disabled\n";
                    return 1;
                }
                break;
            }
        }
        frame.OnIdle();
    }
    frame.Close();
    return 0;
}

}  // namespace editor::shell
