#include "editor/shell/skeleton_prompts_ui.h"

#include "editor/shell/main_frame.h"

namespace editor::shell {

namespace {
FileDialogRequest FileRequest(const std::string& defaultExtension, const std::string& filter,
                              const std::string& initialPath) {
    FileDialogRequest request;
    request.filter = filter;
    request.defaultExtension = defaultExtension;
    request.initialPath = initialPath;
    request.flags = kHideReadOnly;
    return request;
}
}  // namespace

void SkeletonPromptsUi::SetStatus(const std::string& text) {
    frame_.SetStatus("%s", text.c_str());
}

void SkeletonPromptsUi::ShowMessage(const std::string& text) {
    frame_.GetUi().ShowMessage(text);
}

bool SkeletonPromptsUi::AskYesNo(const std::string& text) {
    return frame_.GetUi().AskYesNo(text);
}

std::optional<std::string> SkeletonPromptsUi::AskOpenFile(const std::string& defaultExtension,
                                                          const std::string& filter,
                                                          const std::string& initialPath) {
    return frame_.GetUi().AskOpenFile(FileRequest(defaultExtension, filter, initialPath));
}

std::optional<std::string> SkeletonPromptsUi::AskSaveFile(const std::string& defaultExtension,
                                                          const std::string& filter,
                                                          const std::string& initialPath) {
    // Overwriting is asked about by the pose and bone operations themselves.
    return frame_.GetUi().AskSaveFile(FileRequest(defaultExtension, filter, initialPath));
}

std::optional<std::string> SkeletonPromptsUi::AskText(const std::string& title, int maxLength) {
    TextRequest request;
    request.title = title;
    request.maxLength = maxLength;
    return frame_.GetUi().AskText(request);
}

std::optional<std::string> SkeletonPromptsUi::ChooseOrType(const std::string& title,
                                                           const std::vector<std::string>& entries,
                                                           int maxLength) {
    ComboChoiceRequest request;
    request.title = title;
    request.items = entries;
    request.initialText = entries.empty() ? std::string() : entries.front();
    request.maxLength = maxLength;
    return frame_.GetUi().AskComboChoice(request);
}

}  // namespace editor::shell
