#pragma once

#include <optional>
#include <string>
#include <vector>

namespace editor::skeleton {

// The Yes/No question asked before anything named is replaced.
inline std::string OverwriteQuestion(const std::string& name) {
    return "OK to overwrite '" + name + "'?";
}

// The questions the pose and bone file operations ask the user. The shell answers them with
// its dialogs; tests and batch scripts answer from a script.
class SkeletonPrompts {
  public:
    virtual ~SkeletonPrompts() = default;
    virtual void SetStatus(const std::string& text) = 0;
    // Modal box with an OK button.
    virtual void ShowMessage(const std::string& text) = 0;
    virtual bool AskYesNo(const std::string& text) = 0;
    // Filters in "desc|*.ext|...||" form; none when cancelled.
    virtual std::optional<std::string> AskOpenFile(const std::string& defaultExtension,
                                                   const std::string& filter,
                                                   const std::string& initialPath) = 0;
    virtual std::optional<std::string> AskSaveFile(const std::string& defaultExtension,
                                                   const std::string& filter,
                                                   const std::string& initialPath) = 0;
    // One edit box of at most `maxLength` characters, starting empty.
    virtual std::optional<std::string> AskText(const std::string& title, int maxLength) = 0;
    // Edit field above a list; the first entry starts selected.
    virtual std::optional<std::string> ChooseOrType(const std::string& title,
                                                    const std::vector<std::string>& entries,
                                                    int maxLength) = 0;
};

}  // namespace editor::skeleton
