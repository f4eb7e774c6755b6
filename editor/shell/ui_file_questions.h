#pragma once
// The readers' and writers' file questions asked through the frame's dialogs.

#include "editor/io/file_questions.h"

namespace editor::shell {

using namespace ::editor::io;

class Ui;

class UiFileQuestions : public FileQuestions {
  public:
    explicit UiFileQuestions(Ui& ui) : ui_(ui) {}

    std::optional<std::string> AskOpenPath(const std::string& filter,
                                           const std::string& defaultExtension) override;
    std::optional<std::string> AskSavePath(const std::string& filter,
                                           const std::string& defaultExtension) override;
    std::optional<std::string> AskFrameName(const std::vector<std::string>& names) override;
    bool AskYesNo(const std::string& question) override;

    // True once a dialog was cancelled: the operation then ends without a message.
    bool Cancelled() const { return cancelled_; }

  private:
    std::optional<std::string> Noted(std::optional<std::string> answer);

    Ui& ui_;
    bool cancelled_ = false;
};

}  // namespace editor::shell
