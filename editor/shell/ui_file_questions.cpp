#include "editor/shell/ui_file_questions.h"

#include "editor/shell/ui.h"

namespace editor::shell {

namespace {

// The dialogs take the default extension without its dot.
std::string WithoutDot(const std::string& extension) {
    return !extension.empty() && extension[0] == '.' ? extension.substr(1) : extension;
}

}  // namespace

std::optional<std::string> UiFileQuestions::Noted(std::optional<std::string> answer) {
    if (!answer) {
        cancelled_ = true;
    }
    return answer;
}

std::optional<std::string> UiFileQuestions::AskOpenPath(const std::string& filter,
                                                        const std::string& defaultExtension) {
    FileDialogRequest request;
    request.filter = filter;
    request.defaultExtension = WithoutDot(defaultExtension);
    request.flags = kFileMustExist | kPathMustExist | kHideReadOnly;
    return Noted(ui_.AskOpenFile(request));
}

std::optional<std::string> UiFileQuestions::AskSavePath(const std::string& filter,
                                                        const std::string& defaultExtension) {
    FileDialogRequest request;
    request.filter = filter;
    request.defaultExtension = WithoutDot(defaultExtension);
    request.flags = kHideReadOnly;
    return Noted(ui_.AskSaveFile(request));
}

std::optional<std::string> UiFileQuestions::AskFrameName(const std::vector<std::string>& names) {
    ComboChoiceRequest request;
    request.title = FRAME_CHOICE_TITLE;
    request.items = names;
    request.initialText = names.empty() ? std::string() : names.front();
    request.maxLength = FRAME_NAME_LIMIT;
    return Noted(ui_.AskComboChoice(request));
}

bool UiFileQuestions::AskYesNo(const std::string& question) {
    return ui_.AskYesNo(question);
}

}  // namespace editor::shell
