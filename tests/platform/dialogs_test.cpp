#include <gtest/gtest.h>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>

#include "modal_helper.h"
#include "editor/shell/keyboard_keys.h"
#include "platform/control_device_dialog.h"
#include "platform/list_choice_dialog.h"
#include "platform/mesh_nodes_dialog.h"
#include "platform/qt_ui.h"
#include "platform/text_entry_dialog.h"
#include "platform/transforms_sheet.h"
#include "scene/frame.h"

using namespace ::platform;
using namespace ::scene;

TEST(TextDialogs, NamesAreCutToTheirLimit) {
    QtUi ui;
    WhenModalShown<TextEntryDialog>([](TextEntryDialog* dialog) {
        dialog->Edit()->clear();
        QTest::keyClicks(dialog->Edit(), QStringLiteral("a_very_long_pose_name"));
        dialog->accept();
    });
    const auto name = ui.AskText({.title = "Pose Name", .initialText = "", .maxLength = 15});
    ASSERT_TRUE(name.has_value());
    EXPECT_EQ(*name, "a_very_long_pos");

    WhenModalShown<ComboEntryDialog>([](ComboEntryDialog* dialog) {
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Choose Frame"));
        EXPECT_EQ(dialog->Combo()->count(), 2);
        dialog->Combo()->lineEdit()->clear();
        QTest::keyClicks(dialog->Combo()->lineEdit(), QStringLiteral("frame_name_too_long"));
        dialog->accept();
    });
    const auto frame = ui.AskComboChoice({.title = "Choose Frame",
                                          .items = {"stand1", "run1"},
                                          .initialText = "stand1",
                                          .maxLength = 15});
    ASSERT_TRUE(frame.has_value());
    EXPECT_EQ(*frame, "frame_name_too_");

    WhenModalShown<TextEntryDialog>([](TextEntryDialog* dialog) { dialog->reject(); });
    EXPECT_FALSE(ui.AskText({.title = "Group Name", .initialText = "arm"}).has_value());
}

TEST(ListChoice, ReturnsTheChosenRowAndNeedsAChoice) {
    ListChoiceDialog dialog(QStringLiteral("Select Group"), {"head", "arm", "leg"}, 1);
    EXPECT_EQ(dialog.Choice(), 1);
    dialog.List()->setCurrentRow(2);
    EXPECT_EQ(dialog.Choice(), 2);

    QtUi ui;
    WhenModalShown<ListChoiceDialog>([](ListChoiceDialog* shown) {
        shown->List()->setCurrentRow(0);
        shown->accept();
    });
    EXPECT_EQ(ui.AskListChoice({.title = "Select Group", .items = {"head", "arm"}}), 0);
    WhenModalShown<ListChoiceDialog>([](ListChoiceDialog* shown) { shown->accept(); });
    EXPECT_FALSE(ui.AskListChoice({.title = "Select Group", .items = {}}).has_value());
}

TEST(MeshNodes, FifteenBoxesWithTorsoStandingForTwoNodes) {
    MeshNodeFlags nodes{};
    nodes[1] = 1;
    nodes[5] = 1;
    MeshNodesDialog dialog(MeshNodesRequestFor(nodes));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Select Active Mesh Nodes"));
    EXPECT_EQ(dialog.findChildren<QCheckBox*>().size(), 15);
    EXPECT_EQ(dialog.Box(0)->text(), QStringLiteral("Torso"));
    EXPECT_TRUE(dialog.Box(0)->isChecked());
    EXPECT_TRUE(dialog.Box(4)->isChecked());
    EXPECT_FALSE(dialog.Box(5)->isChecked());
    dialog.Box(5)->setChecked(true);
    dialog.Box(0)->setChecked(false);
    const MeshNodeFlags result = dialog.Nodes();
    EXPECT_EQ(result[0], 0);
    EXPECT_EQ(result[1], 0);
    EXPECT_EQ(result[5], 1);
    EXPECT_EQ(result[6], 1);
}

TEST(ControlDevice, ShowsTheChoiceAndOutOfRangeAsTheFirstButton) {
    ControlDeviceDialog dialog({.target = 1, .device = 2});
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Control Device"));
    EXPECT_EQ(dialog.Choice().target, 1);
    EXPECT_EQ(dialog.Choice().device, 2);
    EXPECT_EQ(dialog.Devices()->button(2)->text(), QStringLiteral("&Joystick"));

    ControlDeviceDialog odd({.target = 7, .device = -3});
    EXPECT_EQ(odd.Choice().target, 0);
    EXPECT_EQ(odd.Choice().device, 0);
    odd.Devices()->button(1)->click();
    EXPECT_EQ(odd.Choice().device, 1);

    // The keyboard's keys are listed where the device is chosen.
    auto* keys = dialog.findChild<QLabel*>(QStringLiteral("keys"));
    ASSERT_NE(keys, nullptr);
    EXPECT_TRUE(keys->text().contains(QStringLiteral("Shift+Up, Shift+Down")));
    EXPECT_EQ(keys->text().toStdString(), editor::shell::KeyboardDeviceKeysText());
}

namespace {

struct SheetProbe {
    C3dFrame frame;
    C3dFrame* current = &frame;
    std::vector<std::string> messages;
    int closed = 0;
    CTransformDlg sheet{[this] { return current; },
                        [this](const std::string& text) { messages.push_back(text); },
                        [this] { ++closed; }};
};

}  // namespace

TEST(TransformsSheet, PagesAndButtonsApplyTypedValues) {
    SheetProbe probe;
    auto* widget = new TransformsSheet(probe.sheet);
    EXPECT_EQ(widget->windowTitle(), QStringLiteral("Transforms"));
    ASSERT_EQ(widget->Pages()->count(), 3);
    EXPECT_EQ(widget->Pages()->tabText(0), QStringLiteral("Scale"));
    EXPECT_EQ(widget->Pages()->tabText(1), QStringLiteral("Rotate"));
    EXPECT_EQ(widget->Pages()->tabText(2), QStringLiteral("Translate"));
    widget->Field(CTransformDlg::Page::Translate, 0)->setText(QStringLiteral("2.5"));
    widget->Field(CTransformDlg::Page::Translate, 2)->setText(QStringLiteral("-1"));
    widget->Press(CTransformDlg::Page::Translate, CTransformDlg::Placement::Replace);
    const Vector position = probe.frame.GetPosition();
    EXPECT_FLOAT_EQ(position.x, 2.5f);
    EXPECT_FLOAT_EQ(position.y, 0.0f);
    EXPECT_FLOAT_EQ(position.z, -1.0f);
    widget->close();
    EXPECT_EQ(probe.closed, 1);
}

TEST(TransformsSheet, ANonNumberIsRefusedNotTakenAsZero) {
    SheetProbe probe;
    probe.frame.SetPosition(1, 2, 3);
    TransformsSheet widget(probe.sheet);
    widget.Field(CTransformDlg::Page::Translate, 1)->setText(QStringLiteral("abc"));
    QString warning;
    WhenModalShown<QMessageBox>([&warning](QMessageBox* box) {
        warning = box->text();
        box->accept();
    });
    widget.Press(CTransformDlg::Page::Translate, CTransformDlg::Placement::Replace);
    EXPECT_EQ(warning, QStringLiteral("Please enter a number."));
    EXPECT_FLOAT_EQ(probe.frame.GetPosition().x, 1.0f);
}

TEST(TransformsSheet, QtUiOpensOneSheetAndClosesItQuietly) {
    SheetProbe probe;
    QtUi ui;
    ui.ShowTransformsSheet(probe.sheet);
    QPointer<TransformsSheet> first = ui.OpenSheet();
    ASSERT_TRUE(first);
    EXPECT_TRUE(first->isVisible());
    ui.ShowTransformsSheet(probe.sheet);
    EXPECT_EQ(ui.OpenSheet(), first.data());
    ui.CloseTransformsSheet();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(first);
    EXPECT_EQ(probe.closed, 0);
}

TEST(DialogQuestions, TheWholeQuestionStandsInsideEachDialog) {
    const QString question =
        QStringLiteral("Type or select the name of the frame you want to load:");
    auto questionOf = [](QDialog& dialog) {
        auto* label = dialog.findChild<QLabel*>(QStringLiteral("question"));
        return label != nullptr ? label->text() : QString();
    };
    TextEntryDialog text(question, QString(), 15);
    ComboEntryDialog combo(question, {"stand1"}, QStringLiteral("stand1"), 15);
    ListChoiceDialog list(question, {"head"}, 0);
    MeshNodesDialog nodes(MeshNodesRequestFor(MeshNodeFlags{}));
    for (QDialog* dialog : std::initializer_list<QDialog*>{&text, &combo, &list}) {
        EXPECT_EQ(questionOf(*dialog), question);
    }
    EXPECT_EQ(questionOf(nodes), QStringLiteral("Select Active Mesh Nodes"));
}
