#include "platform/editor_window.h"

#include <QAction>

#include "editor/shell/open_by_kind.h"
#include "platform/gl_view_widget.h"
#include "scene/image.h"

namespace platform {

using namespace ::scene;

EditorWindow::EditorWindow(SettingsStore& settings, std::string programDir, std::string logPath)
    : frame_(ui_, settings, std::move(programDir), std::move(logPath)) {
    frame_.SetJoystickBackend(&joystick_);
    // Pictures loaded with an empty path (the background) ask through the window's dialog.
    C3dImage::SetOpenFileChooser([this](const std::string& filter) {
        FileDialogRequest request;
        request.filter = filter;
        request.flags = kFileMustExist | kPathMustExist | kHideReadOnly;
        return ui_.AskOpenFile(request).value_or(std::string());
    });
}

EditorWindow::~EditorWindow() {
    // Taking the editor down is no time for questions.
    frame_.SetAskToSaveChanges(false);
    if (window_) {
        window_->close();
    }
    frame_.Close();
    window_.reset();
    C3dImage::SetOpenFileChooser(nullptr);
}

bool EditorWindow::Create() {
    frame_.PreCreate();
    frame_.SetAskToSaveChanges(true);
    window_ = std::make_unique<MainWindow>(frame_, frame_.Settings());
    ui_.SetParent(window_.get());
    ui_.SetSettings(&frame_.Settings());
    ui_.SetStatusSink([this](const QString& text) { window_->SetMessage(text); });
    ui_.SetProgressSink([this](int done, int total) { window_->SetProgress(done, total); });
    ui_.SetAfterTick([this] { window_->WakeIdleSteps(); });
    return frame_.Create(std::max(window_->View()->width(), 1),
                         std::max(window_->View()->height(), 1));
}

void EditorWindow::OpenFile(const std::string& path) {
    window_->UpdateCommandStates();
    QAction* action = window_->Action(CommandToOpenFile(path));
    if (action == nullptr || !action->isEnabled()) {
        const std::string command = action == nullptr ? std::string("its command")
                                                      : action->text().remove('&').toStdString();
        frame_.SetStatus("Can't load '%s' now: %s is not available.", path.c_str(),
                         command.c_str());
        return;
    }
    ui_.AnswerNextOpenFile(path);
    action->trigger();
    // A command that asked no file leaves the answer for the next dialog otherwise.
    ui_.AnswerNextOpenFile(std::string());
}

}  // namespace platform
