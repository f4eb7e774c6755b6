#pragma once
// The prompts the frame hands to the editor's libraries: every question goes to its Ui, and a
// step of work becomes the frame's status line, which is also a line of "mn.log".

#include "editor/prompts/prompts.h"

namespace editor::shell {

using namespace ::editor::prompts;

class CMainFrame;
class Ui;

class FramePrompts : public Prompts {
  public:
    explicit FramePrompts(CMainFrame& frame);

    bool AskYesNo(const std::string& text) override;
    bool AskOkCancel(const std::string& text) override;
    Reply AskYesNoCancel(const std::string& text) override;
    ManyReply AskYesNoToAll(const std::string& text) override;
    std::optional<std::string> AskOpenFile(const FileDialogRequest& request) override;
    std::optional<std::string> AskSaveFile(const FileDialogRequest& request) override;
    std::optional<std::string> AskFolder(const FileDialogRequest& request) override;
    std::optional<std::string> AskText(const TextRequest& request) override;
    std::optional<int> AskListChoice(const ListChoiceRequest& request) override;
    std::optional<std::string> AskComboChoice(const ComboChoiceRequest& request) override;
    void ReportProgress(const std::string& step) override;
    void ShowProgress(int done, int total) override;
    void EndProgress() override;

    // True once a dialog was cancelled: the operation then ends without a message.
    bool Cancelled() const { return cancelled_; }

  private:
    template <typename Answer>
    Answer Noted(Answer answer) {
        cancelled_ = cancelled_ || !answer;
        return answer;
    }

    CMainFrame& frame_;
    Ui& ui_;
    bool cancelled_ = false;
};

}  // namespace editor::shell
