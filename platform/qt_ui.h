#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>
#include <map>
#include <memory>

#include "editor/shell/ui.h"
#include "platform/transforms_sheet.h"

class QFileDialog;

namespace scene::input {
class SettingsStore;
}

namespace platform {

using namespace ::editor::shell;
using ::scene::input::SettingsStore;

class Ticker;

// The editor's questions asked with Qt dialogs, all of them children of the main window.
// Message boxes carry the title "Marionet"; file dialogs take the framework's filter strings
// and are Qt's own (not the desktop's), so they behave the same everywhere.
class QtUi : public Ui {
  public:
    explicit QtUi(QWidget* parent = nullptr);
    ~QtUi() override;

    void SetParent(QWidget* parent) { parent_ = parent; }
    // Where the file dialogs keep the filter last chosen for each list of filters (none: for
    // this run only).
    void SetSettings(SettingsStore* settings) { settings_ = settings; }
    // Where status texts go (the status bar's message pane).
    void SetStatusSink(std::function<void(const QString&)> sink) { statusSink_ = std::move(sink); }
    // Where the progress goes (the status bar's progress bar); a total of 0 hides it.
    void SetProgressSink(std::function<void(int, int)> sink) { progressSink_ = std::move(sink); }
    // Called after every tick of StartTicking: what a tick changed must be drawn, and an idle
    // window draws nothing until asked.
    void SetAfterTick(std::function<void()> afterTick) { afterTick_ = std::move(afterTick); }
    // The next open-file question takes this path without showing a dialog (a file named on
    // the command line); an empty path withdraws it.
    void AnswerNextOpenFile(std::string path) { nextOpenFile_ = std::move(path); }

    void SetStatusText(const std::string& text) override;
    void ShowProgress(int done, int total) override;
    void EndProgress() override;
    void ShowMessage(const std::string& text) override;
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
    std::optional<MeshNodeFlags> AskMeshNodes(const MeshNodesRequest& request) override;
    bool AskControlDevice(ControlDeviceChoice& choice) override;
    bool AskMotionCapture(MotionCaptureChoice& choice, int maxNameLength) override;
    bool StartTicking(int intervalMs, std::function<void()> tick,
                      std::function<void()> escape) override;
    void StopTicking() override;
    void ShowTransformsSheet(CTransformDlg& sheet) override;
    void CloseTransformsSheet() override;
    void ShowAbout(const std::string& text) override;

    // The open transforms sheet, if any.
    TransformsSheet* OpenSheet() const { return sheet_.data(); }

    // The file dialog a request asks for, not yet shown.
    static QFileDialog* MakeFileDialog(const FileDialogRequest& request, bool save,
                                       QWidget* parent);
    // The folder dialog a request asks for, not yet shown.
    static QFileDialog* MakeFolderDialog(const FileDialogRequest& request, QWidget* parent);

  private:
    std::optional<std::string> AskFile(const FileDialogRequest& request, bool save);

    QWidget* parent_;
    std::string nextOpenFile_;
    std::function<void(const QString&)> statusSink_;
    std::function<void(int, int)> progressSink_;
    std::function<void()> afterTick_;
    QPointer<TransformsSheet> sheet_;
    std::unique_ptr<Ticker> ticker_;
    SettingsStore* settings_ = nullptr;
    // The filter last chosen per list of filters when there are no settings to keep it in.
    std::map<std::string, QString> chosenFilters_;
};

}  // namespace platform
