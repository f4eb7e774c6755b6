#pragma once

#include <memory>
#include <ostream>
#include <string>
#include <string_view>

#include "editor/shell/batch_runner.h"
#include "editor/shell/batch_script.h"
#include "editor/shell/scripted_ui.h"
#include "scene/input/memory_settings_store.h"

namespace editor::shell {

class CMainFrame;

// One run of batch statements on a fresh frame without a window: the frame on default settings
// (none written back), the scripted Ui whose lines go to `out`. Statements run one at a time, so
// a caller can look at the document between them; the batch runner runs a whole script through
// it.
class BatchSession {
  public:
    BatchSession(std::ostream& out, const std::string& programDir, const std::string& logPath,
                 BatchRunner::Snapshot snapshot = {});
    ~BatchSession();
    BatchSession(const BatchSession&) = delete;
    BatchSession& operator=(const BatchSession&) = delete;

    // Creates the frame's view and scene; false when the editor cannot start.
    bool Start();
    // Carries out one statement whose command, if any, is already found; an error message when
    // a script must stop there.
    std::string Run(const BatchStatement& statement);
    // Parses one line, finds its command and runs it; the parse, lookup or run error, if any.
    std::string RunLine(std::string_view line);
    // Closes the frame; also done by the destructor.
    void Close();

    CMainFrame& Frame() { return *frame_; }
    ScriptedUi& Ui() { return ui_; }

  private:
    std::ostream& out_;
    ScriptedUi ui_;
    scene::input::MemorySettingsStore settings_;
    std::unique_ptr<CMainFrame> frame_;
    BatchRunner::Snapshot snapshot_;
};

}  // namespace editor::shell
