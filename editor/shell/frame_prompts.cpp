#include "editor/shell/frame_prompts.h"

#include "editor/shell/main_frame.h"
#include "editor/shell/ui.h"

namespace editor::shell {

FramePrompts::FramePrompts(CMainFrame& frame) : frame_(frame), ui_(frame.GetUi()) {}

bool FramePrompts::AskYesNo(const std::string& text) {
    return ui_.AskYesNo(text);
}

bool FramePrompts::AskOkCancel(const std::string& text) {
    return ui_.AskOkCancel(text);
}

Reply FramePrompts::AskYesNoCancel(const std::string& text) {
    return ui_.AskYesNoCancel(text);
}

ManyReply FramePrompts::AskYesNoToAll(const std::string& text) {
    return ui_.AskYesNoToAll(text);
}

std::optional<std::string> FramePrompts::AskOpenFile(const FileDialogRequest& request) {
    return Noted(ui_.AskOpenFile(request));
}

std::optional<std::string> FramePrompts::AskSaveFile(const FileDialogRequest& request) {
    return Noted(ui_.AskSaveFile(request));
}

std::optional<std::string> FramePrompts::AskFolder(const FileDialogRequest& request) {
    return Noted(ui_.AskFolder(request));
}

std::optional<std::string> FramePrompts::AskText(const TextRequest& request) {
    return Noted(ui_.AskText(request));
}

std::optional<int> FramePrompts::AskListChoice(const ListChoiceRequest& request) {
    return Noted(ui_.AskListChoice(request));
}

std::optional<std::string> FramePrompts::AskComboChoice(const ComboChoiceRequest& request) {
    return Noted(ui_.AskComboChoice(request));
}

void FramePrompts::ReportProgress(const std::string& step) {
    frame_.SetStatus("%s", step.c_str());
}

void FramePrompts::ShowProgress(int done, int total) {
    ui_.ShowProgress(done, total);
}

void FramePrompts::EndProgress() {
    ui_.EndProgress();
}

}  // namespace editor::shell
