// The window as a user meets it: camera navigation, fitting real models, the questions that
// keep work from being lost, a quiet idle window, and its first-start size.
#include <gtest/gtest.h>
#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <string>

#include "editor/model/model_document.h"
#include "editor/shell/camera_navigation.h"
#include "editor/shell/command_ids.h"
#include "editor/shell/commands_props.h"
#include "editor/shell/model_fit.h"
#include "platform/editor_window.h"
#include "platform/gl_view_widget.h"
#include "platform/qt_pictures.h"
#include "platform/qt_settings_store.h"
#include "scene/image.h"
#include "scene/mesh.h"
#include "scene/scene.h"
#include "scene/shape.h"
#include "scene/stage.h"
#include "scene/viewport.h"

using namespace ::platform;
using namespace ::editor::model;
using namespace ::editor::shell;
using namespace ::scene;

namespace {

const QString kModels = QStringLiteral("/usr/share/assimp/models");

// Answers every modal question while it runs: files with `file`, message boxes with the button
// named in `reply` (else their default), any other dialog with OK. Records what was asked.
// A dialog is looked for among the visible top-level windows too, since under load it may be
// shown before it counts as the active modal widget. Past its deadline it rejects whatever
// dialog is open and notes that it ran out of time, so a test fails instead of waiting forever.
class Answerer {
  public:
    explicit Answerer(QString file = QString(),
                      QMessageBox::StandardButton reply = QMessageBox::NoButton,
                      int deadlineMs = 20000)
        : file_(std::move(file)), reply_(reply) {
        deadline_.start();
        deadlineMs_ = deadlineMs;
        timer_.setInterval(20);
        QObject::connect(&timer_, &QTimer::timeout, [this] { AnswerOne(); });
        timer_.start();
    }
    const QStringList& Asked() const { return asked_; }
    bool RanOutOfTime() const { return ranOutOfTime_; }

  private:
    static QWidget* OpenDialog() {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            return modal;
        }
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (qobject_cast<QDialog*>(widget) != nullptr && widget->isVisible() &&
                widget->isModal()) {
                return widget;
            }
        }
        return nullptr;
    }

    void AnswerOne() {
        QWidget* modal = OpenDialog();
        if (modal == nullptr) {
            return;
        }
        if (deadline_.elapsed() > deadlineMs_) {
            ranOutOfTime_ = true;
            if (auto* dialog = qobject_cast<QDialog*>(modal)) {
                dialog->reject();
            }
            return;
        }
        if (auto* files = qobject_cast<QFileDialog*>(modal)) {
            asked_.append(QStringLiteral("file"));
            // The typed name is what the dialog takes; selecting a file in another folder
            // waits for that folder to be listed, which may not happen before accept().
            if (auto* name = files->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) {
                name->setText(file_);
            } else {
                files->selectFile(file_);
            }
            QMetaObject::invokeMethod(files, "accept");
        } else if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            asked_.append(box->text());
            QAbstractButton* button =
                reply_ != QMessageBox::NoButton ? box->button(reply_) : nullptr;
            if (button == nullptr) {
                button = box->defaultButton();
            }
            button != nullptr ? button->click() : box->accept();
        } else if (auto* dialog = qobject_cast<QDialog*>(modal)) {
            asked_.append(dialog->windowTitle());
            dialog->accept();
        }
    }

    QString file_;
    QMessageBox::StandardButton reply_;
    QStringList asked_;
    QTimer timer_;
    QElapsedTimer deadline_;
    qint64 deadlineMs_ = 0;
    bool ranOutOfTime_ = false;
};

class WindowUse : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(directory_.isValid());
        store_ = std::make_unique<QtSettingsStore>(std::make_unique<QSettings>(
            directory_.filePath(QStringLiteral("Marionet.conf")), QSettings::IniFormat));
        editor_ = std::make_unique<EditorWindow>(*store_, directory_.path().toStdString() + "/",
                                                 directory_.path().toStdString() + "/mn.log");
        ASSERT_TRUE(editor_->Create());
    }

    void Show(QSize size = QSize(640, 600)) {
        Window().resize(size);
        Window().show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&Window()));
        Settle();
    }

    // Runs the idle steps the window asked for.
    void Settle() {
        for (int i = 0; i < 10; ++i) {
            QTest::qWait(20);
        }
    }

    // Opens a model of the test set; false (the test skips) when the set is not installed.
    bool OpenModel(const QString& relative) {
        const QString path = kModels + "/" + relative;
        if (!QFile::exists(path)) {
            return false;
        }
        Answerer answerer(path, QMessageBox::No);
        Window().Action(ID_FILE_OPEN)->trigger();
        Settle();
        return Frame().Document().model.Shape() != nullptr;
    }

    void SaveShot(const QString& name) {
        Settle();
        QDir().mkpath(QStringLiteral(MARIONET_TEST_ARTIFACTS));
        Window().grab().save(QStringLiteral(MARIONET_TEST_ARTIFACTS "/") + name);
    }

    Vector CameraPosition() {
        return Frame().View().GetStage()->GetCamera().GetPosition(Frame().Scene());
    }

    void SendWheel(int delta) {
        const QPointF at(100, 100);
        QWheelEvent wheel(at, Window().View()->mapToGlobal(at), QPoint(), QPoint(0, delta),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(Window().View(), &wheel);
    }

    void SendMiddleDrag(QPoint from, QPoint to, Qt::KeyboardModifiers modifiers) {
        QTest::mousePress(Window().View(), Qt::MiddleButton, modifiers, from);
        QMouseEvent move(QEvent::MouseMove, QPointF(to), Window().View()->mapToGlobal(QPointF(to)),
                         Qt::NoButton, Qt::MiddleButton, modifiers);
        QApplication::sendEvent(Window().View(), &move);
        QTest::mouseRelease(Window().View(), Qt::MiddleButton, modifiers, to);
    }

    // Where a joint's centre is drawn, in view pixels.
    QPointF JointOnScreen(int joint) {
        const C3dViewport& viewport = *Frame().View().GetViewport();
        const Vector centre =
            Frame().Document().joints[joint].Shape()->LocalToWorld(Vector(0.0, 0.0, 0.0));
        const C3dVector4 seen = viewport.Transform(centre);
        return QPointF(seen.x / seen.w, seen.y / seen.w);
    }

    // A plain left drag through a few steps, as a hand moves.
    void SendLeftDrag(QPoint from, QPoint to) {
        QTest::mousePress(Window().View(), Qt::LeftButton, Qt::NoModifier, from);
        for (int step = 1; step <= 4; ++step) {
            const QPointF at = QPointF(from) + QPointF(to - from) * (step / 4.0);
            QMouseEvent move(QEvent::MouseMove, at, Window().View()->mapToGlobal(at), Qt::NoButton,
                             Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(Window().View(), &move);
        }
        QTest::mouseRelease(Window().View(), Qt::LeftButton, Qt::NoModifier, to);
    }

    MainWindow& Window() { return editor_->Window(); }
    CMainFrame& Frame() { return editor_->Frame(); }

    QTemporaryDir directory_;
    std::unique_ptr<QtSettingsStore> store_;
    std::unique_ptr<EditorWindow> editor_;
};

TEST_F(WindowUse, WheelAndMiddleDragMoveTheCamera) {
    Show();
    const Vector start = CameraPosition();
    SendWheel(120);
    const Vector zoomed = CameraPosition();
    EXPECT_LT(Vector::Subtract(zoomed, BoxOfWhatIsShown(Frame()).Centre()).Length(),
              Vector::Subtract(start, BoxOfWhatIsShown(Frame()).Centre()).Length());
    SendMiddleDrag(QPoint(100, 100), QPoint(180, 100), Qt::NoModifier);
    const Vector orbited = CameraPosition();
    EXPECT_GT(Vector::Subtract(orbited, zoomed).Length(), 1.0);
    SendMiddleDrag(QPoint(100, 100), QPoint(100, 140), Qt::ShiftModifier);
    EXPECT_GT(Vector::Subtract(CameraPosition(), orbited).Length(), 1.0);
    SaveShot(QStringLiteral("navigated.png"));
    // Home is "Zoom to Fit".
    EXPECT_EQ(Window().Action(ID_VIEW_ZOOM_TO_FIT)->shortcut(), QKeySequence(Qt::Key_Home));
}

TEST_F(WindowUse, RealModelsAreShownWithTheSkinsFoundBesideThem) {
    InstallQtPictureDecoder();
    Show();
    Window().Action(ID_VIEW_SKIN)->trigger();
    const struct {
        const char* file;
        const char* skin;
    } models[] = {{"MD2/sydney.md2", "sydney.bmp"}, {"OBJ/spider.obj", "SpiderTex.jpg"}};
    for (const auto& model : models) {
        if (!OpenModel(QString::fromLatin1(model.file))) {
            GTEST_SKIP() << "assimp-testmodels is not installed";
        }
        const C3dImage* skin = Frame().Document().model.Skin();
        ASSERT_NE(skin, nullptr) << model.file;
        EXPECT_TRUE(QString::fromStdString(skin->GetName()).endsWith(QLatin1String(model.skin)))
            << skin->GetName();
        ASSERT_NE(Frame().Document().model.Shape(), nullptr);
        EXPECT_EQ(Frame().Document().model.Shape()->Mesh().GetSkin(), skin);
        if (Frame().Document().model.solid == 0) {
            Window().Action(ID_MODEL_SOLID)->trigger();
        }
        Window().Action(ID_VIEW_ZOOM_TO_FIT)->trigger();
        Settle();
        // Skins are coloured; the model without one is drawn in shades of grey.
        const QImage view = Window().View()->grabFramebuffer();
        int coloured = 0;
        for (int y = 0; y < view.height(); y += 2) {
            for (int x = 0; x < view.width(); x += 2) {
                const QColor c = view.pixelColor(x, y);
                coloured += std::max({c.red(), c.green(), c.blue()}) -
                                        std::min({c.red(), c.green(), c.blue()}) >
                                    12
                                ? 1
                                : 0;
            }
        }
        EXPECT_GT(coloured, 100) << model.file;
        SaveShot(QStringLiteral("skin_") + QFileInfo(QString::fromLatin1(model.file)).baseName() +
                 QStringLiteral(".png"));
        Frame().SetAskToSaveChanges(false);
        Window().Action(ID_FILE_NEW)->trigger();
        Frame().SetAskToSaveChanges(true);
    }
}

TEST_F(WindowUse, ZoomToFitShowsAHugeAndATinyRealModel) {
    Show();
    for (const char* file : {"OBJ/spider.obj", "3DS/fels.3ds"}) {
        if (!OpenModel(QString::fromLatin1(file))) {
            GTEST_SKIP() << "assimp-testmodels is not installed";
        }
        Window().Action(ID_VIEW_ZOOM_TO_FIT)->trigger();
        SaveShot(QStringLiteral("fit_") + QFileInfo(QString::fromLatin1(file)).baseName() +
                 QStringLiteral(".png"));
        // Every point drawn of the model and of the joints shown lies inside the picture.
        std::vector<const MeshPart*> parts = {&Frame().Document().model};
        for (const JointPart& joint : Frame().Document().joints) {
            if (joint.visible != 0) {
                parts.push_back(&joint);
            }
        }
        const C3dViewport& viewport = *Frame().View().GetViewport();
        int outside = 0;
        for (const MeshPart* part : parts) {
            for (const Vector& vertex : part->Shape()->Mesh().Vertices()) {
                const Vector eye =
                    viewport.GetViewMatrix().Transform(part->Shape()->LocalToWorld(vertex));
                const C3dVector4 p =
                    viewport.GetProjectionMatrix().TransformHomogeneous(eye.x, eye.y, eye.z, 1.0);
                const bool inside = p.w > 0.0 && p.x / p.w >= 0.0 &&
                                    p.x / p.w <= viewport.GetWidth() && p.y / p.w >= 0.0 &&
                                    p.y / p.w <= viewport.GetHeight() && p.z / p.w >= 0.0 &&
                                    p.z / p.w <= 1.0;
                outside += inside ? 0 : 1;
            }
        }
        EXPECT_EQ(outside, 0) << file;
        // The next file is opened into an empty model.
        Frame().SetAskToSaveChanges(false);
        Window().Action(ID_FILE_NEW)->trigger();
        Frame().SetAskToSaveChanges(true);
    }
}

TEST_F(WindowUse, FitModelToSkeletonPutsSydneysFeetAtTheSkeletonsFeet) {
    Show();
    if (!OpenModel(QStringLiteral("MD2/sydney.md2"))) {
        GTEST_SKIP() << "assimp-testmodels is not installed";
    }
    Window().Action(ID_MODEL_FIT_TO_SKELETON)->trigger();
    Window().Action(ID_VIEW_ZOOM_TO_FIT)->trigger();
    SaveShot(QStringLiteral("fit_sydney.png"));
    const std::optional<SkeletonStance> stance = StanceOf(Frame().Document());
    ASSERT_TRUE(stance.has_value());
    const MeshData& mesh = Frame().Document().model.mesh;
    float low = mesh.vertices[0].z;
    float high = low;
    for (int i = 0; i < mesh.vertexCount; ++i) {
        low = std::min(low, mesh.vertices[i].z);
        high = std::max(high, mesh.vertices[i].z);
    }
    EXPECT_NEAR(low, stance->toeHeight, 1e-2);
    EXPECT_NEAR(high - low, stance->StandingHeight(), 1e-2);
    EXPECT_TRUE(Window().isWindowModified());
    EXPECT_TRUE(Window().windowTitle().startsWith(QStringLiteral("sydney.md2")))
        << Window().windowTitle().toStdString();
}

TEST_F(WindowUse, TheCloseQuestionComesAfterAnEditAndNotBefore) {
    Show();
    const QString path = directory_.filePath(QStringLiteral("square.obj"));
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("v 0 0 0\nv 10 0 0\nv 10 10 0\nv 0 10 0\nf 1 2 3\nf 1 3 4\n");
    }
    {
        Answerer answerer(path);
        Window().Action(ID_FILE_OPEN)->trigger();
    }
    ASSERT_NE(Frame().Document().model.Shape(), nullptr);
    Window().UpdateCommandStates();
    EXPECT_EQ(Window().windowTitle(), QStringLiteral("square.obj[*] - Marionet"));
    EXPECT_FALSE(Window().isWindowModified());
    {
        // Not changed: closing asks nothing (and is then cancelled by hand below).
        Answerer answerer;
        EXPECT_FALSE(Frame().HasUnsavedChanges());
        EXPECT_TRUE(Frame().ConfirmDiscardChanges());
        Settle();
        EXPECT_TRUE(answerer.Asked().isEmpty()) << answerer.Asked().join('|').toStdString();
    }
    Window().Action(ID_MODEL_FLIP_X)->trigger();
    EXPECT_TRUE(Window().isWindowModified());
    {
        Answerer answerer(QString(), QMessageBox::Cancel);
        Window().close();
        ASSERT_FALSE(answerer.RanOutOfTime());
        EXPECT_TRUE(Window().isVisible());  // Cancel stops the close
        ASSERT_EQ(answerer.Asked().size(), 1);
        EXPECT_EQ(answerer.Asked().front(),
                  QStringLiteral("Save the changes to the model opened from 'square.obj'?"));
    }
    {
        // Yes saves (the save dialog confirms replacing the file) and the window closes.
        const QString saved = directory_.filePath(QStringLiteral("saved.obj"));
        Answerer answerer(saved, QMessageBox::Yes);
        Window().Action(ID_APP_EXIT)->trigger();
        ASSERT_FALSE(answerer.RanOutOfTime()) << answerer.Asked().join('|').toStdString();
        EXPECT_FALSE(Window().isVisible());
        EXPECT_TRUE(QFile::exists(saved));
    }
}

TEST_F(WindowUse, AnIdleWindowDrawsNothingAndStopsItsSteps) {
    Show();
    Settle();
    EXPECT_FALSE(Window().IdleStepsRunning());
    const long frames = Window().View()->FramesDrawn();
    QTest::qWait(300);
    EXPECT_EQ(Window().View()->FramesDrawn(), frames);
    // A key that moves the selection wakes the steps, which stop again once it is let go.
    Frame().Selection().Select(Frame().Document().joints[0].Shape());
    QTest::keyPress(Window().View(), Qt::Key_Right);
    EXPECT_TRUE(Window().IdleStepsRunning());
    QTest::qWait(60);
    EXPECT_GT(Window().View()->FramesDrawn(), frames);
    QTest::keyRelease(Window().View(), Qt::Key_Right);
    Settle();
    EXPECT_FALSE(Window().IdleStepsRunning());
}

TEST_F(WindowUse, TheFirstStartWindowShowsItsWholeMenuBar) {
    // The stored defaults stay 300 x 350; the window grows to what its bars need.
    Window().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&Window()));
    QMenuBar* bar = Window().menuBar();
    EXPECT_GE(bar->width(), bar->sizeHint().width());
    const QList<QAction*> menus = bar->actions();
    ASSERT_FALSE(menus.isEmpty());
    // The last menu ("Help") has room on the bar: no ">>" extension.
    EXPECT_TRUE(bar->actionGeometry(menus.last()).isValid());
    EXPECT_LE(bar->actionGeometry(menus.last()).right(), bar->width());
    auto* toolBar = Window().findChild<QToolBar*>(QStringLiteral("toolBar"));
    EXPECT_GE(toolBar->width(), toolBar->sizeHint().width());
    SaveShot(QStringLiteral("first_start.png"));
}

TEST_F(WindowUse, AJointDraggedInTheViewStaysUnderThePointer) {
    Show(QSize(800, 700));
    // A model in front of the skeleton: the press near the joint still takes the joint.
    if (!OpenModel(QStringLiteral("MD2/sydney.md2"))) {
        GTEST_SKIP() << "assimp-testmodels is not installed";
    }
    Window().Action(ID_MODEL_FIT_TO_SKELETON)->trigger();
    Frame().Selection().Select(nullptr);
    int elbow = 0;
    while (std::string(JointTableName(elbow)) != "left elbow") {
        ++elbow;
    }
    const struct {
        int camera;
        QPoint by;
    } drags[] = {{ID_CAMERA_FRONT, QPoint(37, -23)}, {ID_CAMERA_LEFT, QPoint(-29, 41)}};
    for (const auto& drag : drags) {
        Window().Action(drag.camera)->trigger();
        Settle();
        const QPointF start = JointOnScreen(elbow);
        const QPoint press = start.toPoint();
        SendLeftDrag(press, press + drag.by);
        Settle();
        EXPECT_EQ(Frame().Selection().Shape(), Frame().Document().joints[elbow].Shape());
        const QPointF end = JointOnScreen(elbow);
        const QPointF wanted = start + QPointF(drag.by);
        EXPECT_LE(std::hypot(end.x() - wanted.x(), end.y() - wanted.y()), 1.0)
            << "camera " << drag.camera << ": at " << end.x() << "," << end.y() << " wanted "
            << wanted.x() << "," << wanted.y();
        SaveShot(QStringLiteral("drag_%1.png").arg(drag.camera));
    }
    // A press on the selected joint (its marks around it) keeps it selected and moves nothing.
    Window().Action(ID_VIEW_SELECTION_BOX)->trigger();
    const QPointF before = JointOnScreen(elbow);
    QTest::mouseClick(Window().View(), Qt::LeftButton, Qt::NoModifier, before.toPoint());
    EXPECT_EQ(Frame().Selection().Shape(), Frame().Document().joints[elbow].Shape());
    EXPECT_LE(
        std::hypot(JointOnScreen(elbow).x() - before.x(), JointOnScreen(elbow).y() - before.y()),
        1e-6);
}

TEST_F(WindowUse, StatusTextsShowOnOneLine) {
    Frame().SetStatus("Saved model to '%s'.\n", "/tmp/x.obj");
    EXPECT_EQ(Window().Message(), QStringLiteral("Saved model to '/tmp/x.obj'."));
    QFile log(directory_.filePath(QStringLiteral("mn.log")));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    EXPECT_TRUE(log.readAll().contains("Saved model to '/tmp/x.obj'.\n\n"));
}

}  // namespace

namespace {

// `Marionet FILE`, as the desktop starts it: the file goes to the command for its kind without
// a file dialog, and a command that asks for no file leaves no answer behind for the next one.
TEST_F(WindowUse, AFileFromTheCommandLineLoadsWithoutAFileDialog) {
    Show();
    const std::string poses = MARIONET_SOURCE_DIR "/samples/cmu_01_01_jump.spz";
    {
        Answerer answerer;  // takes the first pose of the list
        editor_->OpenFile(poses);
        Settle();
        EXPECT_FALSE(answerer.Asked().contains(QStringLiteral("file")));
    }
    EXPECT_EQ(Window().Message().toStdString(), "Posed skeleton as 'jump1' from " + poses + ".");

    const QString model = kModels + QStringLiteral("/OBJ/box.obj");
    if (!QFile::exists(model)) {
        GTEST_SKIP() << "assimp-testmodels is not installed";
    }
    {
        Answerer answerer(QString(), QMessageBox::No);
        editor_->OpenFile(model.toStdString());
        Settle();
        EXPECT_FALSE(answerer.Asked().contains(QStringLiteral("file")));
    }
    EXPECT_NE(Frame().Document().model.Shape(), nullptr);

    {
        Answerer answerer;  // "Please select an object first.": no prop is selected
        editor_->OpenFile(directory_.filePath(QStringLiteral("prop.ori")).toStdString());
        Settle();
    }
    Answerer answerer(model, QMessageBox::No);
    Window().Action(ID_FILE_OPEN_PROP)->trigger();
    Settle();
    EXPECT_TRUE(answerer.Asked().contains(QStringLiteral("file")));
    EXPECT_FALSE(answerer.RanOutOfTime());
}

}  // namespace
