#include "platform/qt_ui.h"

#include <algorithm>

#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QUrl>
#include <utility>

#include "editor/shell/program_files.h"
#include "platform/control_device_dialog.h"
#include "platform/file_filter.h"
#include "platform/list_choice_dialog.h"
#include "platform/mesh_nodes_dialog.h"
#include "platform/motion_capture_dialog.h"
#include "platform/qt_text.h"
#include "platform/text_entry_dialog.h"
#include "platform/ticker.h"
#include "platform/transforms_sheet.h"
#include "scene/input/settings_store.h"

namespace platform {

namespace {

const QString kTitle = QStringLiteral("Marionet");
// The profile section where the file dialogs keep the filter last chosen.
constexpr std::string_view kFilterSection = "Settings\\Filters";

QMessageBox::StandardButton Ask(QWidget* parent, QMessageBox::Icon icon, const std::string& text,
                                QMessageBox::StandardButtons buttons,
                                QMessageBox::StandardButton defaultButton) {
    QMessageBox box(icon, kTitle, ToQt(text), buttons, parent);
    box.setDefaultButton(defaultButton);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

}  // namespace

QtUi::QtUi(QWidget* parent) : parent_(parent) {}

QtUi::~QtUi() {
    CloseTransformsSheet();
}

void QtUi::SetStatusText(const std::string& text) {
    if (statusSink_) {
        statusSink_(ToQt(text));
    }
}

void QtUi::ShowProgress(int done, int total) {
    if (progressSink_) {
        progressSink_(done, total);
    }
}

void QtUi::EndProgress() {
    ShowProgress(0, 0);
}

void QtUi::ShowMessage(const std::string& text) {
    Ask(parent_, QMessageBox::Warning, text, QMessageBox::Ok, QMessageBox::Ok);
}

bool QtUi::AskYesNo(const std::string& text) {
    return Ask(parent_, QMessageBox::Question, text, QMessageBox::Yes | QMessageBox::No,
               QMessageBox::Yes) == QMessageBox::Yes;
}

bool QtUi::AskOkCancel(const std::string& text) {
    return Ask(parent_, QMessageBox::Warning, text, QMessageBox::Ok | QMessageBox::Cancel,
               QMessageBox::Ok) == QMessageBox::Ok;
}

Ui::ManyReply QtUi::AskYesNoToAll(const std::string& text) {
    switch (Ask(parent_, QMessageBox::Question, text,
                QMessageBox::Yes | QMessageBox::YesToAll | QMessageBox::No | QMessageBox::NoToAll,
                QMessageBox::Yes)) {
        case QMessageBox::YesToAll:
            return ManyReply::YesToAll;
        case QMessageBox::NoToAll:
            return ManyReply::NoToAll;
        case QMessageBox::Yes:
            return ManyReply::Yes;
        default:
            return ManyReply::No;
    }
}

Ui::Reply QtUi::AskYesNoCancel(const std::string& text) {
    switch (Ask(parent_, QMessageBox::Question, text,
                QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes)) {
        case QMessageBox::Yes:
            return Reply::Yes;
        case QMessageBox::No:
            return Reply::No;
        default:
            return Reply::Cancel;
    }
}

QFileDialog* QtUi::MakeFileDialog(const FileDialogRequest& request, bool save, QWidget* parent) {
    const QString title = request.title.empty()
                              ? (save ? QStringLiteral("Save As") : QStringLiteral("Open"))
                              : ToQt(request.title);
    auto* dialog = new QFileDialog(parent, title);
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog->setFileMode(!save && (request.flags & kFileMustExist) ? QFileDialog::ExistingFile
                                                                  : QFileDialog::AnyFile);
    // Replacing an existing file is always confirmed in the window, as desktop programs do.
    dialog->setOption(QFileDialog::DontConfirmOverwrite, false);
    dialog->setOption(QFileDialog::ReadOnly, false);
    dialog->setNameFilters(ConvertFileFilter(request.filter));
    // An installed editor's samples are one click away in every file dialog.
    const QFileInfo samples(ToQt(InstalledDataDirectory(RunningExecutablePath()) + "samples"));
    if (samples.isDir()) {
        dialog->setSidebarUrls(dialog->sidebarUrls()
                               << QUrl::fromLocalFile(samples.absoluteFilePath()));
    }
    // The list of types shows each entry whole ("All Model Files (*.obj *.OBJ ...)").
    if (auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"))) {
        types->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        types->setMinimumContentsLength(0);
        dialog->setMinimumWidth(std::min(types->sizeHint().width() + 200, 1000));
    }
    if (!request.defaultExtension.empty()) {
        QString suffix = ToQt(request.defaultExtension);
        while (suffix.startsWith('.')) {
            suffix.remove(0, 1);
        }
        dialog->setDefaultSuffix(suffix);
    }
    if (!request.initialPath.empty()) {
        const QFileInfo initial(ToQt(request.initialPath));
        if (initial.isDir()) {
            dialog->setDirectory(initial.absoluteFilePath());
        } else {
            dialog->setDirectory(initial.absolutePath());
            dialog->selectFile(initial.fileName());
        }
    }
    return dialog;
}

std::optional<std::string> QtUi::AskFile(const FileDialogRequest& request, bool save) {
    std::unique_ptr<QFileDialog> dialog(MakeFileDialog(request, save, parent_));
    // The filter chosen last time for the same list comes back, as the user left it.
    const std::string key = FilterMemoryKey(request.filter);
    const QString remembered =
        settings_ != nullptr ? ToQt(settings_->GetString(kFilterSection, key, std::string_view()))
                             : chosenFilters_[key];
    if (!remembered.isEmpty() && dialog->nameFilters().contains(remembered)) {
        dialog->selectNameFilter(remembered);
    }
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    const QString chosen = dialog->selectedNameFilter();
    if (settings_ != nullptr) {
        settings_->WriteString(kFilterSection, key, chosen.toStdString());
    } else {
        chosenFilters_[key] = chosen;
    }
    return dialog->selectedFiles().front().toStdString();
}

std::optional<std::string> QtUi::AskOpenFile(const FileDialogRequest& request) {
    if (!nextOpenFile_.empty()) {
        return std::exchange(nextOpenFile_, std::string());
    }
    return AskFile(request, false);
}

std::optional<std::string> QtUi::AskSaveFile(const FileDialogRequest& request) {
    return AskFile(request, true);
}

std::optional<std::string> QtUi::AskFolder(const FileDialogRequest& request) {
    std::unique_ptr<QFileDialog> dialog(MakeFolderDialog(request, parent_));
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog->selectedFiles().front().toStdString();
}

QFileDialog* QtUi::MakeFolderDialog(const FileDialogRequest& request, QWidget* parent) {
    const QString title =
        request.title.empty() ? QStringLiteral("Choose Folder") : ToQt(request.title);
    auto* dialog = new QFileDialog(parent, title);
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    dialog->setFileMode(QFileDialog::Directory);
    dialog->setOption(QFileDialog::ShowDirsOnly);
    if (!request.initialPath.empty()) {
        dialog->setDirectory(ToQt(request.initialPath));
    }
    return dialog;
}

std::optional<std::string> QtUi::AskText(const TextRequest& request) {
    TextEntryDialog dialog(ToQt(request.title), ToQt(request.initialText), request.maxLength,
                           parent_);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.Text().toStdString();
}

std::optional<int> QtUi::AskListChoice(const ListChoiceRequest& request) {
    QStringList items;
    for (const std::string& item : request.items) {
        items.append(ToQt(item));
    }
    ListChoiceDialog dialog(ToQt(request.title), items, request.initialIndex, parent_);
    if (dialog.exec() != QDialog::Accepted || dialog.Choice() < 0) {
        return std::nullopt;
    }
    return dialog.Choice();
}

std::optional<std::string> QtUi::AskComboChoice(const ComboChoiceRequest& request) {
    QStringList items;
    for (const std::string& item : request.items) {
        items.append(ToQt(item));
    }
    ComboEntryDialog dialog(ToQt(request.title), items, ToQt(request.initialText),
                            request.maxLength, parent_);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.Text().toStdString();
}

std::optional<MeshNodeFlags> QtUi::AskMeshNodes(const MeshNodesRequest& request) {
    MeshNodesDialog dialog(request, parent_);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.Nodes();
}

bool QtUi::AskControlDevice(ControlDeviceChoice& choice) {
    ControlDeviceDialog dialog(choice, parent_);
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    choice = dialog.Choice();
    return true;
}

bool QtUi::AskMotionCapture(MotionCaptureChoice& choice, int maxNameLength) {
    MotionCaptureDialog dialog(choice, maxNameLength, parent_);
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    choice = dialog.Choice();
    return true;
}

bool QtUi::StartTicking(int intervalMs, std::function<void()> tick, std::function<void()> escape) {
    auto tickAndShow = [this, tick = std::move(tick)] {
        tick();
        if (afterTick_) {
            afterTick_();
        }
    };
    ticker_ = std::make_unique<Ticker>(intervalMs, std::move(tickAndShow), std::move(escape));
    return true;
}

void QtUi::StopTicking() {
    // Stopping may come from inside the ticker's own callback: let it return first.
    if (ticker_ != nullptr) {
        ticker_.release()->deleteLater();
    }
}

void QtUi::ShowTransformsSheet(CTransformDlg& sheet) {
    if (sheet_ && sheet_->Sheet() != &sheet) {
        CloseTransformsSheet();
    }
    if (!sheet_) {
        sheet_ = new TransformsSheet(sheet, parent_);
    }
    sheet_->show();
    sheet_->raise();
    sheet_->activateWindow();
}

void QtUi::CloseTransformsSheet() {
    if (sheet_) {
        sheet_->CloseQuietly();
    }
}

void QtUi::ShowAbout(const std::string& text) {
    QMessageBox::about(parent_, QStringLiteral("About Marionet"), ToQt(text));
}

}  // namespace platform
