#pragma once
// The questions the importers and writers ask a person. The editor's shell answers them with
// its dialogs; tests and scripts answer from prepared values.

#include <optional>
#include <string>
#include <vector>

#include "editor/model/frame_choice.h"

namespace editor::io {

using namespace ::editor::model;

class FileQuestions {
  public:
    virtual ~FileQuestions() = default;

    // An existing file to open; nothing when cancelled. filter is in "desc|*.ext|...||" form;
    // the default extension carries its dot.
    virtual std::optional<std::string> AskOpenPath(const std::string& filter,
                                                   const std::string& defaultExtension) = 0;
    // A file to write, the read-only box hidden; nothing when cancelled.
    virtual std::optional<std::string> AskSavePath(const std::string& filter,
                                                   const std::string& defaultExtension) = 0;
    // "Type or select name of frame to load:": an editable list of the frame names, the first
    // preselected, typed text limited to 15 characters. Nothing when cancelled.
    virtual std::optional<std::string> AskFrameName(const std::vector<std::string>& names) = 0;
    // A Yes/No question about the file being read ("Simplify it to fit?"); true for Yes.
    // Without anyone to ask, No.
    virtual bool AskYesNo(const std::string& /*question*/) { return false; }
};

inline constexpr int FRAME_NAME_LIMIT = 15;

}  // namespace editor::io
