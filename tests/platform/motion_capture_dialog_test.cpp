#include <gtest/gtest.h>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "modal_helper.h"
#include "platform/motion_capture_dialog.h"
#include "platform/qt_ui.h"

using namespace ::platform;

namespace {

bool OkEnabled(const MotionCaptureDialog& dialog) {
    return dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->isEnabled();
}

TEST(MotionCaptureDialog, ShowsTheChoiceAndRefusesNamesEndingInADigit) {
    MotionCaptureDialog dialog({12.5, "walk_", true}, 14);
    EXPECT_EQ(dialog.Rate()->value(), 12.5);
    EXPECT_EQ(dialog.Name()->text(), QStringLiteral("walk_"));
    EXPECT_TRUE(dialog.RootMotion()->isChecked());
    EXPECT_TRUE(OkEnabled(dialog));
    dialog.Name()->setText(QStringLiteral("walk2"));
    EXPECT_FALSE(OkEnabled(dialog));
    dialog.Name()->clear();
    EXPECT_FALSE(OkEnabled(dialog));
    QTest::keyClicks(dialog.Name(), QStringLiteral("a_name_far_too_long"));
    EXPECT_EQ(dialog.Name()->text().size(), 14);
    dialog.Name()->setText(QStringLiteral("run"));
    dialog.RootMotion()->setChecked(false);
    MotionCaptureChoice choice = dialog.Choice();
    EXPECT_EQ(choice.baseName, "run");
    EXPECT_FALSE(choice.keepRootMotion);

    QtUi ui;
    WhenModalShown<MotionCaptureDialog>([](MotionCaptureDialog* shown) {
        shown->Rate()->setValue(24.0);
        shown->accept();
    });
    MotionCaptureChoice asked{10.0, "jump", false};
    ASSERT_TRUE(ui.AskMotionCapture(asked, 14));
    EXPECT_EQ(asked.framesPerSecond, 24.0);
    EXPECT_EQ(asked.baseName, "jump");
}

TEST(QtUiTicking, TicksUntilEscapeOrStop) {
    QtUi ui;
    int ticks = 0;
    int escapes = 0;
    // The window is woken after each tick, so what the tick changed gets drawn.
    int wokenAfter = 0;
    ui.SetAfterTick([&] { wokenAfter = ticks; });
    ASSERT_TRUE(ui.StartTicking(
        5, [&] { ++ticks; }, [&] { ++escapes; }));
    QTest::qWait(100);
    EXPECT_GT(ticks, 3);
    EXPECT_EQ(wokenAfter, ticks);
    QWidget target;
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QCoreApplication::sendEvent(&target, &escape);
    EXPECT_EQ(escapes, 1);
    int stoppedAt = ticks;
    QTest::qWait(50);
    EXPECT_EQ(ticks, stoppedAt);
    ui.StopTicking();

    ASSERT_TRUE(ui.StartTicking(
        5, [&] { ++ticks; }, [&] { ++escapes; }));
    ui.StopTicking();
    stoppedAt = ticks;
    QTest::qWait(50);
    EXPECT_EQ(ticks, stoppedAt);
    EXPECT_EQ(escapes, 1);
}

}  // namespace
