#include "platform/main_window.h"

#include <gtest/gtest.h>
#include <QAbstractButton>
#include <QButtonGroup>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <algorithm>
#include <sstream>

#include "editor/shell/batch_runner.h"
#include "editor/shell/command_ids.h"
#include "editor/shell/command_table.h"
#include "editor/shell/settings_names.h"
#include "modal_helper.h"
#include "platform/control_device_dialog.h"
#include "platform/editor_window.h"
#include "platform/gl_view_widget.h"
#include "platform/qt_pictures.h"
#include "platform/qt_settings_store.h"
#include "platform/qt_text.h"
#include "platform/transforms_sheet.h"
#include "scene/input/controller.h"
#include "scene/shape.h"
#include "scene/viewport.h"

using namespace ::platform;
using namespace ::editor::shell;
using namespace ::scene::input;
using namespace ::scene;

namespace {

class MainWindowTest : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(directory_.isValid());
        store_ = OpenStore();
        Start();
    }

    void Start() {
        editor_ = std::make_unique<EditorWindow>(*store_, Dir().toStdString() + "/",
                                                 Dir().toStdString() + "/mn.log");
        ASSERT_TRUE(editor_->Create());
    }

    std::unique_ptr<QtSettingsStore> OpenStore() {
        return std::make_unique<QtSettingsStore>(std::make_unique<QSettings>(
            directory_.filePath(QStringLiteral("Marionet.conf")), QSettings::IniFormat));
    }

    void ShowAndWait() {
        Window().show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&Window()));
        for (int i = 0; i < 5; ++i) {
            Window().IdleStep();
            QTest::qWait(20);
        }
    }

    QString Dir() const { return directory_.path(); }
    MainWindow& Window() { return editor_->Window(); }
    CMainFrame& Frame() { return editor_->Frame(); }

    QTemporaryDir directory_;
    std::unique_ptr<QtSettingsStore> store_;
    std::unique_ptr<EditorWindow> editor_;
};

bool IsRecentFile(int id) {
    return id >= ID_FILE_MRU_FILE1 && id <= ID_FILE_MRU_FILE4;
}

}  // namespace

TEST_F(MainWindowTest, MenusFollowTheCommandTable) {
    EXPECT_EQ(Window().windowTitle(), QStringLiteral("Marionet"));
    QStringList titles;
    for (QAction* action : Window().menuBar()->actions()) {
        titles.append(action->text());
    }
    QStringList expected;
    for (std::string_view title : TopLevelMenus()) {
        expected.append(ToQt(title));
    }
    EXPECT_EQ(titles, expected);
    for (const CommandInfo& command : CommandTable()) {
        QAction* action = Window().Action(command.id);
        ASSERT_NE(action, nullptr) << command.id;
        if (command.menuPath.empty() || IsRecentFile(command.id)) {
            continue;
        }
        EXPECT_EQ(action->text(), ToQt(command.menuText)) << command.id;
        const QString path = ToQt(command.menuPath);
        QMenu* menu = Window().TopMenu(path.section('/', 0, 0));
        ASSERT_NE(menu, nullptr) << path.toStdString();
        if (path.contains('/')) {
            QMenu* sub = nullptr;
            for (QAction* entry : menu->actions()) {
                if (entry->menu() && entry->text() == path.section('/', 1)) {
                    sub = entry->menu();
                }
            }
            ASSERT_NE(sub, nullptr) << path.toStdString();
            menu = sub;
        }
        EXPECT_TRUE(menu->actions().contains(action)) << command.id;
    }
}

TEST_F(MainWindowTest, AcceleratorsAndToolbarAreThere) {
    EXPECT_EQ(Window().Action(ID_FILE_NEW)->shortcut(), QKeySequence(QStringLiteral("Ctrl+N")));
    const QList<QKeySequence> cut = Window().Action(ID_EDIT_CUT)->shortcuts();
    EXPECT_TRUE(cut.contains(QKeySequence(QStringLiteral("Ctrl+X"))));
    EXPECT_TRUE(cut.contains(QKeySequence(QStringLiteral("Shift+Del"))));
    EXPECT_EQ(Window().Action(ID_SKELETON_NEXT_BONE)->shortcut(), QKeySequence(Qt::Key_Tab));
    EXPECT_EQ(Window().Action(ID_SKELETON_PREVIOUS_BONE)->shortcut(),
              QKeySequence(Qt::SHIFT | Qt::Key_Tab));
    // A highlighted item shows its prompt in the status bar.
    Window().Action(ID_FILE_OPEN)->showStatusText(&Window());
    EXPECT_EQ(Window().statusBar()->currentMessage(), QStringLiteral("Open an existing document"));

    auto* toolBar = Window().findChild<QToolBar*>(QStringLiteral("toolBar"));
    ASSERT_NE(toolBar, nullptr);
    QList<int> buttons;
    for (QAction* action : toolBar->actions()) {
        buttons.append(action->isSeparator() ? 0 : action->data().toInt());
    }
    QList<int> expected;
    for (int id : ToolbarButtons()) {
        expected.append(id);
    }
    EXPECT_EQ(buttons, expected);
}

TEST_F(MainWindowTest, CheckMarksAndEnabledStatesFollowTheFrame) {
    Window().UpdateCommandStates();
    for (int unhandled : {ID_EDIT_UNDO, ID_EDIT_COPY, ID_EDIT_PASTE, ID_VIEW_ROTATE, ID_VIEW_RESET,
                          ID_SKELETON_ANGEL_WINGS, ID_FILE_PRINT}) {
        EXPECT_FALSE(Window().Action(unhandled)->isEnabled()) << unhandled;
    }
    EXPECT_TRUE(Window().Action(ID_FILE_NEW)->isEnabled());
    EXPECT_TRUE(Window().Action(ID_CAMERA_FRONT)->isChecked());
    EXPECT_FALSE(Window().Action(ID_CAMERA_TOP)->isChecked());

    Frame().options.viewSelection = false;
    Window().UpdateCommandStates();
    EXPECT_FALSE(Window().Action(ID_VIEW_SELECTION_BOX)->isChecked());
    Window().Action(ID_VIEW_SELECTION_BOX)->trigger();
    EXPECT_TRUE(Frame().options.viewSelection);
    EXPECT_TRUE(Window().Action(ID_VIEW_SELECTION_BOX)->isChecked());

    Window().Action(ID_CAMERA_TOP)->trigger();
    EXPECT_EQ(Frame().cameraView, kCameraTop);
    EXPECT_TRUE(Window().Action(ID_CAMERA_TOP)->isChecked());
    EXPECT_FALSE(Window().Action(ID_CAMERA_FRONT)->isChecked());
}

TEST_F(MainWindowTest, TriggeringACommandRunsItsHandler) {
    int runs = 0;
    ASSERT_TRUE(Frame().Commands().Bind(ID_VIEW_ROTATE, {.run = [&runs] { ++runs; }}));
    Window().UpdateCommandStates();
    ASSERT_TRUE(Window().Action(ID_VIEW_ROTATE)->isEnabled());
    Window().Action(ID_VIEW_ROTATE)->trigger();
    EXPECT_EQ(runs, 1);
}

TEST_F(MainWindowTest, AcceleratorsReachTheirCommandsFromTheView) {
    int nextBone = 0;
    ASSERT_TRUE(
        Frame().Commands().Bind(ID_SKELETON_NEXT_BONE, {.run = [&nextBone] { ++nextBone; }}));
    ShowAndWait();
    Window().activateWindow();
    // Another test program on the same display may hold the keyboard focus.
    if (!QTest::qWaitForWindowActive(&Window())) {
        GTEST_SKIP() << "the window could not get the keyboard focus";
    }
    QTest::keyClick(Window().View(), Qt::Key_Tab);
    EXPECT_EQ(nextBone, 1);
}

TEST_F(MainWindowTest, StatusGoesToTheMessagePaneAndTheLog) {
    Frame().SetStatus("Selected: %s", "Head");
    EXPECT_EQ(Window().Message(), QStringLiteral("Selected: Head"));
    QFile log(Dir() + QStringLiteral("/mn.log"));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    EXPECT_TRUE(log.readAll().contains("Selected: Head\n"));
}

TEST_F(MainWindowTest, ClickInTheViewReachesThePickAtTheViewPosition) {
    ShowAndWait();
    std::vector<QPoint> clicks;
    // The view's pick callback stands in for the selection's.
    Frame().View().SetPickCallback(
        [](C3dShape*, int x, int y, void* seen) {
            static_cast<std::vector<QPoint>*>(seen)->emplace_back(x, y);
        },
        &clicks, true);
    QTest::mouseClick(Window().View(), Qt::LeftButton, Qt::NoModifier, QPoint(37, 41));
    ASSERT_EQ(clicks.size(), 1u);
    EXPECT_EQ(clicks[0], QPoint(37, 41));
    // Other buttons pick nothing.
    QTest::mouseClick(Window().View(), Qt::RightButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_EQ(clicks.size(), 1u);
}

TEST_F(MainWindowTest, ViewDrawsTheSkeletonAndTheScreenshotIsSaved) {
    Window().resize(640, 600);
    ShowAndWait();
    EXPECT_GT(Window().View()->FramesDrawn(), 0);
    const QImage view = Window().View()->grabFramebuffer();
    ASSERT_FALSE(view.isNull());
    int lit = 0;
    for (int y = 0; y < view.height(); y += 2) {
        for (int x = 0; x < view.width(); x += 2) {
            lit += qGray(view.pixel(x, y)) > 100 ? 1 : 0;
        }
    }
    // The default skeleton shows as light joints and bones on black.
    EXPECT_GT(lit, 50);
    EXPECT_EQ(qGray(view.pixel(2, 2)), 0);
    QDir().mkpath(QStringLiteral(MARIONET_TEST_ARTIFACTS));
    EXPECT_TRUE(Window().grab().save(QStringLiteral(MARIONET_TEST_ARTIFACTS "/window.png")));
    EXPECT_TRUE(view.save(QStringLiteral(MARIONET_TEST_ARTIFACTS "/view.png")));
}

TEST_F(MainWindowTest, ABatchSnapshotOfTheEmptyEditorMatchesTheWindowsView) {
    Window().resize(640, 600);
    ShowAndWait();
    const QImage window = Window().View()->grabFramebuffer().convertToFormat(QImage::Format_RGB888);
    ASSERT_FALSE(window.isNull());
    const QString path = directory_.filePath(QStringLiteral("empty.png"));
    std::istringstream script("view " + std::to_string(window.width()) + " " +
                              std::to_string(window.height()) + "\nsnapshot " + path.toStdString() +
                              "\n");
    std::ostringstream out, err;
    BatchRunner runner(out, err);
    runner.SetLogPath(directory_.filePath(QStringLiteral("batch.log")).toStdString());
    runner.SetSnapshot(SnapshotStage);
    ASSERT_EQ(runner.Run(script, "snapshot.mnb"), 0) << err.str();
    const QImage snapshot(path);
    ASSERT_EQ(snapshot.size(), window.size());
    // The same renderer and camera: only a few pixels along the edges of lines may differ.
    int differing = 0;
    int lit = 0;
    for (int y = 0; y < window.height(); ++y) {
        for (int x = 0; x < window.width(); ++x) {
            const QColor a = window.pixelColor(x, y);
            const QColor b = snapshot.pixelColor(x, y);
            const int difference =
                std::max({std::abs(a.red() - b.red()), std::abs(a.green() - b.green()),
                          std::abs(a.blue() - b.blue())});
            differing += difference > 24 ? 1 : 0;
            lit += qGray(b.rgb()) > 100 ? 1 : 0;
        }
    }
    EXPECT_GT(lit, 200);  // the skeleton is in the picture
    EXPECT_LT(differing, window.width() * window.height() / 200) << differing;
}

TEST_F(MainWindowTest, UpdatesFromInsideACommandDrawAtOnce) {
    ShowAndWait();
    // A long operation redraws from its loop while no events are processed.
    const long before = Window().View()->FramesDrawn();
    EXPECT_TRUE(Frame().View().Update(1.0));
    EXPECT_EQ(Window().View()->FramesDrawn(), before + 1);
}

TEST_F(MainWindowTest, FirstStartUsesTheDefaultRectangleAndClosingStoresIt) {
    // Nothing stored: a view one can work in, 1024 x 768 or most of a smaller screen, on it.
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_GE(Window().width(), std::min(1024, screen.width() * 9 / 10));
    EXPECT_GE(Window().height(), std::min(768, screen.height() * 9 / 10));
    EXPECT_TRUE(screen.contains(QRect(Window().pos(), Window().size())))
        << Window().width() << "x" << Window().height() << " on " << screen.width() << "x"
        << screen.height();
    Window().resize(420, 380);
    Window().move(60, 70);
    Frame().options.viewHitPoint = false;
    Window().close();
    editor_.reset();
    store_.reset();

    store_ = OpenStore();
    EXPECT_EQ(store_->GetInt(settings::kWindow, settings::kWidth, 0), 420);
    EXPECT_EQ(store_->GetInt(settings::kWindow, settings::kHeight, 0), 380);
    EXPECT_EQ(store_->GetInt(settings::kWindow, settings::kLeft, 0), 60);
    EXPECT_EQ(store_->GetInt(settings::kWindow, settings::kTop, 0), 70);
    EXPECT_EQ(store_->GetInt(settings::kOptions, settings::kViewHit, 1), 0);
    ASSERT_TRUE(store_->GetBinary(settings::kSkeleton, settings::kActiveNodes).has_value());
    EXPECT_EQ(store_->GetBinary(settings::kSkeleton, settings::kActiveNodes)->size(), 64u);

    Start();
    EXPECT_EQ(Window().size(), QSize(420, 380));
    EXPECT_FALSE(Frame().options.viewHitPoint);
}

TEST_F(MainWindowTest, ARectangleOffEveryScreenComesBackIntoView) {
    editor_.reset();
    store_->WriteInt(settings::kWindow, settings::kLeft, -30000);
    store_->WriteInt(settings::kWindow, settings::kTop, -30000);
    Start();
    EXPECT_EQ(Window().pos(), QPoint(50, 50));
}

TEST_F(MainWindowTest, ToolbarAndStatusBarToggle) {
    ShowAndWait();
    auto* toolBar = Window().findChild<QToolBar*>(QStringLiteral("toolBar"));
    Window().Action(ID_VIEW_TOOLBAR)->trigger();
    EXPECT_FALSE(toolBar->isVisible());
    EXPECT_FALSE(Window().Action(ID_VIEW_TOOLBAR)->isChecked());
    Window().Action(ID_VIEW_STATUS_BAR)->trigger();
    EXPECT_FALSE(Window().statusBar()->isVisible());
    Window().Action(ID_VIEW_TOOLBAR)->trigger();
    EXPECT_TRUE(toolBar->isVisible());
    EXPECT_TRUE(Window().Action(ID_VIEW_TOOLBAR)->isChecked());
}

TEST_F(MainWindowTest, RecentFilesListTheStoredPaths) {
    Window().RefreshRecentFiles();
    EXPECT_TRUE(Window().Action(ID_FILE_MRU_FILE1)->isVisible());
    EXPECT_EQ(Window().Action(ID_FILE_MRU_FILE1)->text(), QStringLiteral("Recent File"));
    EXPECT_FALSE(Window().Action(ID_FILE_MRU_FILE2)->isVisible());
    store_->WriteString("Recent File List", "File1", "/models/knight.obj");
    store_->WriteString("Recent File List", "File2", "/models/corvus.fm");
    Window().RefreshRecentFiles();
    Window().UpdateCommandStates();
    EXPECT_EQ(Window().Action(ID_FILE_MRU_FILE1)->text(), QStringLiteral("&1 knight.obj"));
    EXPECT_EQ(Window().Action(ID_FILE_MRU_FILE2)->text(), QStringLiteral("&2 corvus.fm"));
    EXPECT_TRUE(Window().Action(ID_FILE_MRU_FILE2)->isEnabled());
    EXPECT_FALSE(Window().Action(ID_FILE_MRU_FILE3)->isVisible());
}

TEST_F(MainWindowTest, ClickingAJointSelectsItAndShowsItsName) {
    Window().resize(640, 600);
    ShowAndWait();
    const C3dViewport* viewport = Frame().View().GetViewport();
    ASSERT_NE(viewport, nullptr);
    // Clicks across the view until one lands on a selectable shape (the hidden dividing plane
    // is under the pointer too, but cannot be selected).
    C3dShape* target = nullptr;
    for (int y = 40; y < viewport->GetHeight() && Frame().Selection().Shape() == nullptr; y += 5) {
        for (int x = 40; x < viewport->GetWidth() && Frame().Selection().Shape() == nullptr;
             x += 5) {
            target = viewport->Pick(x, y);
            if (target != nullptr && target->GetName() != "dividing plane") {
                QTest::mouseClick(Window().View(), Qt::LeftButton, Qt::NoModifier, QPoint(x, y));
            }
        }
    }
    ASSERT_NE(Frame().Selection().Shape(), nullptr);
    EXPECT_EQ(Frame().Selection().Shape(), target);
    EXPECT_TRUE(Window().Message().startsWith(QStringLiteral("Selected: ")))
        << Window().Message().toStdString();
    for (int i = 0; i < 3; ++i) {
        Window().IdleStep();
        QTest::qWait(20);
    }
    QDir().mkpath(QStringLiteral(MARIONET_TEST_ARTIFACTS));
    EXPECT_TRUE(Window().grab().save(QStringLiteral(MARIONET_TEST_ARTIFACTS "/selected.png")));

    QTest::mouseClick(Window().View(), Qt::LeftButton, Qt::NoModifier, QPoint(3, 3));
    EXPECT_EQ(Frame().Selection().Shape(), nullptr);
    EXPECT_EQ(Window().Message(), QStringLiteral("No selection"));
}

TEST_F(MainWindowTest, KeysReachTheKeyboardDeviceAndRepeatsDoNotEndARamp) {
    ShowAndWait();
    C3dController* controller = Frame().Controller();
    ASSERT_NE(controller, nullptr);
    InputState state;
    QTest::keyPress(Window().View(), Qt::Key_Right);
    QTest::keyPress(Window().View(), Qt::Key_Right, Qt::NoModifier, -1);
    controller->Keyboard().Read(state);
    EXPECT_GT(state.x, 0.0);
    // X11 sends a held key's repeats as release-press pairs marked as repeats.
    QKeyEvent repeatRelease(QEvent::KeyRelease, Qt::Key_Right, Qt::NoModifier, QString(), true);
    QApplication::sendEvent(Window().View(), &repeatRelease);
    controller->Keyboard().Read(state);
    EXPECT_GT(state.x, 0.0);
    QTest::keyRelease(Window().View(), Qt::Key_Right);
    controller->Keyboard().Read(state);
    EXPECT_EQ(state.x, 0.0);
}

TEST_F(MainWindowTest, ControlDeviceDialogSwitchesTheDevice) {
    ShowAndWait();
    WhenModalShown<ControlDeviceDialog>([](ControlDeviceDialog* dialog) {
        dialog->Targets()->button(1)->click();
        dialog->Devices()->button(1)->click();
        dialog->accept();
    });
    Window().Action(ID_EDIT_CONTROL_DEVICE)->trigger();
    EXPECT_EQ(Frame().controlTarget, 1);
    EXPECT_EQ(Frame().options.controlDevice, 1);
    EXPECT_EQ(Window().Message(), QStringLiteral("Control is now via: Mouse"));

    // Without a joystick the keyboard stays in use.
    if (SdlJoystickBackend().DeviceCount() == 0) {
        WhenModalShown<ControlDeviceDialog>([](ControlDeviceDialog* dialog) {
            dialog->Devices()->button(2)->click();
            dialog->accept();
        });
        Window().Action(ID_EDIT_CONTROL_DEVICE)->trigger();
        EXPECT_EQ(Frame().options.controlDevice, 0);
        EXPECT_EQ(Window().Message(), QStringLiteral("Control is now via: Keyboard"));
    }
}

TEST_F(MainWindowTest, OpeningAModelThroughTheDialogsShowsIt) {
    Window().resize(640, 600);
    ShowAndWait();
    const QString sample = QStringLiteral(MARIONET_SOURCE_DIR "/samples/sample.fm");
    ASSERT_TRUE(QFile::exists(sample));
    // Answers whatever the import asks: the file, the frame, then the defaults of any box.
    QStringList asked;
    QTimer answerer;
    answerer.setInterval(20);
    QObject::connect(&answerer, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* files = qobject_cast<QFileDialog*>(modal)) {
            asked.append(QStringLiteral("file"));
            files->selectFile(sample);
            QMetaObject::invokeMethod(files, "accept");
        } else if (auto* dialog = qobject_cast<QDialog*>(modal)) {
            asked.append(dialog->windowTitle());
            if (auto* box = qobject_cast<QMessageBox*>(dialog)) {
                asked.last() += QStringLiteral(": ") + box->text();
                box->defaultButton() ? box->defaultButton()->click() : box->accept();
            } else {
                dialog->accept();
            }
        }
    });
    answerer.start();
    Window().Action(ID_FILE_OPEN)->trigger();
    answerer.stop();
    EXPECT_TRUE(asked.contains(QStringLiteral("file"))) << asked.join('|').toStdString();
    QFile log(Dir() + QStringLiteral("/mn.log"));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    EXPECT_TRUE(log.readAll().contains("Opened: " + sample.toUtf8()))
        << "after " << asked.join('|').toStdString();
    for (int i = 0; i < 3; ++i) {
        Window().IdleStep();
        QTest::qWait(20);
    }
    QDir().mkpath(QStringLiteral(MARIONET_TEST_ARTIFACTS));
    EXPECT_TRUE(Window().grab().save(QStringLiteral(MARIONET_TEST_ARTIFACTS "/opened.png")));
}

TEST_F(MainWindowTest, MouseDragsReachTheMouseDevice) {
    ShowAndWait();
    C3dController* controller = Frame().Controller();
    ASSERT_NE(controller, nullptr);
    ASSERT_TRUE(controller->SelectDevice(kDeviceMouse));
    InputState state;
    QTest::mousePress(Window().View(), Qt::LeftButton, Qt::NoModifier, QPoint(100, 100));
    controller->Mouse().Read(state);
    QMouseEvent move(QEvent::MouseMove, QPointF(120, 100),
                     Window().View()->mapToGlobal(QPointF(120, 100)), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(Window().View(), &move);
    controller->Mouse().Read(state);
    // 20 pixels to the right, less the 3-pixel dead zone, a tenth each.
    EXPECT_NEAR(state.x, 1.7, 1e-6);
    QTest::mouseRelease(Window().View(), Qt::LeftButton, Qt::NoModifier, QPoint(120, 100));
}

TEST_F(MainWindowTest, TransformsSheetClosedByHandIsForgottenByTheFrame) {
    ShowAndWait();
    QString notice;
    WhenModalShown<QMessageBox>([&notice](QMessageBox* box) {
        notice = box->text();
        box->accept();
    });
    Frame().OpenTransformsSheet();
    EXPECT_TRUE(notice.startsWith(QStringLiteral("I wish this were implemented already")));
    QPointer<TransformsSheet> sheet = editor_->GetUi().OpenSheet();
    ASSERT_TRUE(sheet);
    EXPECT_TRUE(sheet->isVisible());
    ASSERT_NE(Frame().TransformsSheet(), nullptr);
    sheet->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(Frame().TransformsSheet(), nullptr);
    EXPECT_FALSE(sheet);
}
