#pragma once

#include "editor/skeleton/skeleton_prompts.h"

namespace editor::shell {

using namespace ::editor::skeleton;

class CMainFrame;

// Puts the pose and bone file questions to the user through the frame's Ui and status line.
class SkeletonPromptsUi : public SkeletonPrompts {
  public:
    explicit SkeletonPromptsUi(CMainFrame& frame) : frame_(frame) {}

    void SetStatus(const std::string& text) override;
    void ShowMessage(const std::string& text) override;
    bool AskYesNo(const std::string& text) override;
    std::optional<std::string> AskOpenFile(const std::string& defaultExtension,
                                           const std::string& filter,
                                           const std::string& initialPath) override;
    std::optional<std::string> AskSaveFile(const std::string& defaultExtension,
                                           const std::string& filter,
                                           const std::string& initialPath) override;
    std::optional<std::string> AskText(const std::string& title, int maxLength) override;
    std::optional<std::string> ChooseOrType(const std::string& title,
                                            const std::vector<std::string>& entries,
                                            int maxLength) override;

  private:
    CMainFrame& frame_;
};

}  // namespace editor::shell
