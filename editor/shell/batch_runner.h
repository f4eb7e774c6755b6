#pragma once

#include <cstdint>
#include <functional>
#include <istream>
#include <ostream>
#include <string>
#include <vector>

#include "scene/forward.h"
#include "scene/input/forward.h"

namespace editor::shell {

struct BatchStatement;

using namespace ::scene;
using namespace ::scene::input;

// Runs a batch script without a window: a frame on default settings (none written back), the
// current directory as program directory, a scripted Ui whose lines go to `out`. Errors go to
// `err` as "SCRIPT:LINE: message".
class BatchRunner {
  public:
    static constexpr int kDefaultViewWidth = 640;
    static constexpr int kDefaultViewHeight = 480;

    BatchRunner(std::ostream& out, std::ostream& err) : out_(out), err_(err) {}

    // 0 when the script ran to its end; 1 when a line cannot be parsed, names an unknown or
    // disabled command, or the frame cannot start. Lines are all parsed before any runs, so a
    // script with a typo does nothing.
    int Run(std::istream& script, const std::string& scriptName);
    // Opens the file and runs it.
    int RunFile(const std::string& path);

    // Draws the stage as the window would at width x height into the bytes of a PNG file;
    // returns why not, or nothing on success. The program fills it in from its window layer;
    // without one a `snapshot` statement stops the script.
    using Snapshot = std::function<std::string(const C3dStage& stage, int width, int height,
                                               std::vector<uint8_t>& png)>;
    void SetSnapshot(Snapshot snapshot) { snapshot_ = std::move(snapshot); }

    // The log file of the run; "mn.log" in the current directory unless set.
    void SetLogPath(std::string path) { logPath_ = std::move(path); }
    // Where the side files ("default.spz", "mocap.spz", "refskel.bin") are; ends with "/".
    // The current directory unless set.
    void SetProgramDirectory(std::string directory) { programDir_ = std::move(directory); }

  private:
    // The three steps of Run: every line parsed, every command named found (its id kept), then
    // the statements run on a fresh frame. Each says what stops it on err_.
    bool Parse(std::istream& script, const std::string& scriptName,
               std::vector<BatchStatement>& statements);
    bool Check(std::vector<BatchStatement>& statements, const std::string& scriptName);
    int RunStatements(const std::vector<BatchStatement>& statements, const std::string& scriptName);

    std::ostream& out_;
    std::ostream& err_;
    std::string logPath_ = "mn.log";
    std::string programDir_;
    Snapshot snapshot_;
};

}  // namespace editor::shell
