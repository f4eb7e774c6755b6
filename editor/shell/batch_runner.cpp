#include "editor/shell/batch_runner.h"

#include <fstream>
#include <variant>
#include <vector>

#include "editor/shell/batch_script.h"
#include "editor/shell/batch_session.h"

namespace editor::shell {

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
    if (!Parse(script, scriptName, statements) || !Check(statements, scriptName)) {
        return 1;
    }
    return RunStatements(statements, scriptName);
}

bool BatchRunner::Parse(std::istream& script, const std::string& scriptName,
                        std::vector<BatchStatement>& statements) {
    std::string text;
    for (int lineNumber = 1; std::getline(script, text); ++lineNumber) {
        BatchLine line = ParseBatchLine(text, lineNumber);
        if (!line.error.empty()) {
            err_ << Where(scriptName, lineNumber) << line.error << "\n";
            return false;
        }
        if (line.statement) {
            statements.push_back(std::move(*line.statement));
        }
    }
    return true;
}

bool BatchRunner::Check(std::vector<BatchStatement>& statements, const std::string& scriptName) {
    // A misspelt or ambiguous command stops the script before anything runs.
    for (BatchStatement& statement : statements) {
        auto* run = std::get_if<batch::Run>(&statement.action);
        if (run == nullptr) {
            continue;
        }
        const ScriptCommand command = FindCommandForScript(run->command);
        if (!command.id) {
            err_ << Where(scriptName, statement.line) << command.error << "\n";
            return false;
        }
        run->id = *command.id;
    }
    return true;
}

int BatchRunner::RunStatements(const std::vector<BatchStatement>& statements,
                               const std::string& scriptName) {
    BatchSession session(out_, programDir_, logPath_, snapshot_);
    if (!session.Start()) {
        err_ << "The editor could not start.\n";
        return 1;
    }
    for (const BatchStatement& statement : statements) {
        const std::string error = session.Run(statement);
        if (!error.empty()) {
            err_ << Where(scriptName, statement.line) << error << "\n";
            return 1;
        }
    }
    session.Close();
    return 0;
}

}  // namespace editor::shell
