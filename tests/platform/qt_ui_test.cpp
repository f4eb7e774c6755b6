#include "platform/qt_ui.h"

#include <gtest/gtest.h>
#include <QAbstractButton>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QTemporaryDir>

#include "editor/io/import_table.h"
#include "modal_helper.h"
#include "scene/input/memory_settings_store.h"

using namespace ::platform;
using ::scene::input::MemorySettingsStore;

namespace {

void Press(QMessageBox* box, QMessageBox::StandardButton button) {
    box->button(button)->click();
}

}  // namespace

TEST(QtUi, MessageBoxesShowTheTextAndReportTheButton) {
    QtUi ui;
    QString shown;
    QString title;
    WhenModalShown<QMessageBox>([&](QMessageBox* box) {
        shown = box->text();
        title = box->windowTitle();
        Press(box, QMessageBox::Ok);
    });
    ui.ShowMessage("Only a model or prop can be deleted.");
    EXPECT_EQ(shown, QStringLiteral("Only a model or prop can be deleted."));
    EXPECT_EQ(title, QStringLiteral("Marionet"));

    WhenModalShown<QMessageBox>([](QMessageBox* box) { Press(box, QMessageBox::No); });
    EXPECT_FALSE(ui.AskYesNo("Create groups?"));
    WhenModalShown<QMessageBox>([](QMessageBox* box) { Press(box, QMessageBox::Yes); });
    EXPECT_TRUE(ui.AskYesNo("Create groups?"));
    WhenModalShown<QMessageBox>([](QMessageBox* box) { Press(box, QMessageBox::Cancel); });
    EXPECT_FALSE(ui.AskOkCancel("Go on?"));
    WhenModalShown<QMessageBox>([](QMessageBox* box) { Press(box, QMessageBox::Ok); });
    EXPECT_TRUE(ui.AskOkCancel("Go on?"));

    const std::pair<QMessageBox::StandardButton, Ui::ManyReply> perBone[] = {
        {QMessageBox::Yes, Ui::ManyReply::Yes},
        {QMessageBox::YesToAll, Ui::ManyReply::YesToAll},
        {QMessageBox::No, Ui::ManyReply::No},
        {QMessageBox::NoToAll, Ui::ManyReply::NoToAll}};
    for (const auto& entry : perBone) {
        const QMessageBox::StandardButton button = entry.first;
        WhenModalShown<QMessageBox>([button](QMessageBox* box) { Press(box, button); });
        EXPECT_EQ(ui.AskYesNoToAll("OK to overwrite 'head'?"), entry.second);
    }
}

TEST(QtUi, StatusTextGoesToTheSink) {
    QtUi ui;
    QString status;
    ui.SetStatusSink([&status](const QString& text) { status = text; });
    ui.SetStatusText("Imported: a.obj");
    EXPECT_EQ(status, QStringLiteral("Imported: a.obj"));
}

TEST(QtUi, FileDialogsTakeFiltersDefaultExtensionAndExistenceRule) {
    FileDialogRequest open;
    open.filter = "Pose files (*.spz)|*.spz||";
    open.defaultExtension = ".spz";
    open.flags = kFileMustExist | kHideReadOnly;
    std::unique_ptr<QFileDialog> openDialog(QtUi::MakeFileDialog(open, false, nullptr));
    EXPECT_EQ(openDialog->windowTitle(), QStringLiteral("Open"));
    EXPECT_EQ(openDialog->fileMode(), QFileDialog::ExistingFile);
    EXPECT_EQ(openDialog->acceptMode(), QFileDialog::AcceptOpen);
    EXPECT_EQ(openDialog->defaultSuffix(), QStringLiteral("spz"));
    EXPECT_EQ(openDialog->nameFilters(), QStringList{QStringLiteral("Pose files (*.spz *.SPZ)")});

    FileDialogRequest save;
    save.title = "Save Pose";
    save.filter = "Pose files (*.spz)|*.spz||";
    std::unique_ptr<QFileDialog> saveDialog(QtUi::MakeFileDialog(save, true, nullptr));
    EXPECT_EQ(saveDialog->windowTitle(), QStringLiteral("Save Pose"));
    EXPECT_EQ(saveDialog->acceptMode(), QFileDialog::AcceptSave);
    EXPECT_EQ(saveDialog->fileMode(), QFileDialog::AnyFile);
    // The window's save dialogs always confirm replacing a file, with or without the flag.
    EXPECT_FALSE(saveDialog->testOption(QFileDialog::DontConfirmOverwrite));
    save.flags |= kOverwritePrompt;
    std::unique_ptr<QFileDialog> askingDialog(QtUi::MakeFileDialog(save, true, nullptr));
    EXPECT_FALSE(askingDialog->testOption(QFileDialog::DontConfirmOverwrite));
}

TEST(QtUi, SaveDialogAddsTheDefaultExtensionAndCancelGivesNothing) {
    QTemporaryDir directory;
    QtUi ui;
    FileDialogRequest save;
    save.filter = "Pose files (*.spz)|*.spz||";
    save.defaultExtension = "spz";
    save.initialPath = directory.filePath(QStringLiteral("walk")).toStdString();
    WhenModalShown<QFileDialog>(
        [](QFileDialog* dialog) { QMetaObject::invokeMethod(dialog, "accept"); });
    const std::optional<std::string> chosen = ui.AskSaveFile(save);
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(*chosen, directory.filePath(QStringLiteral("walk.spz")).toStdString());

    WhenModalShown<QFileDialog>([](QFileDialog* dialog) { dialog->reject(); });
    EXPECT_FALSE(ui.AskOpenFile(save).has_value());
}

TEST(QtUi, FolderDialogShowsFoldersOnlyAndGivesTheFolderChosen) {
    QTemporaryDir directory;
    FileDialogRequest request;
    request.initialPath = directory.path().toStdString();
    std::unique_ptr<QFileDialog> dialog(QtUi::MakeFolderDialog(request, nullptr));
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Choose Folder"));
    EXPECT_EQ(dialog->fileMode(), QFileDialog::Directory);
    EXPECT_TRUE(dialog->testOption(QFileDialog::ShowDirsOnly));

    QtUi ui;
    WhenModalShown<QFileDialog>(
        [](QFileDialog* shown) { QMetaObject::invokeMethod(shown, "accept"); });
    const std::optional<std::string> chosen = ui.AskFolder(request);
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(*chosen, directory.path().toStdString());
    WhenModalShown<QFileDialog>([](QFileDialog* shown) { shown->reject(); });
    EXPECT_FALSE(ui.AskFolder(request).has_value());
}

TEST(QtUi, OpenDialogsStartWithAllModelFilesAndRememberTheFilterChosen) {
    QTemporaryDir directory;
    const QString path = directory.filePath(QStringLiteral("knight.md2"));
    QFile(path).open(QIODevice::WriteOnly);
    MemorySettingsStore settings;
    FileDialogRequest open;
    open.filter = editor::io::BuildOpenModelFilter();
    open.initialPath = path.toStdString();
    open.flags = kFileMustExist;
    const QString quake = QStringLiteral("Quake 2 Files (*.md2 *.MD2)");
    for (int run = 0; run < 2; ++run) {
        QtUi ui;  // a new run of the program, with the same profile
        ui.SetSettings(&settings);
        QStringList filters;
        QString selected;
        WhenModalShown<QFileDialog>([&](QFileDialog* dialog) {
            filters = dialog->nameFilters();
            selected = dialog->selectedNameFilter();
            dialog->selectNameFilter(quake);
            dialog->selectFile(path);
            QMetaObject::invokeMethod(dialog, "accept");
        });
        ASSERT_TRUE(ui.AskOpenFile(open).has_value()) << run;
        ASSERT_FALSE(filters.isEmpty());
        EXPECT_TRUE(filters.front().startsWith(QStringLiteral("All Model Files (*.obj *.OBJ")))
            << filters.front().toStdString();
        EXPECT_EQ(selected, run == 0 ? filters.front() : quake) << run;
    }
}
