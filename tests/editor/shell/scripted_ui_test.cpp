#include <gtest/gtest.h>

#include "editor/shell/scripted_ui.h"

using namespace ::editor::shell;

namespace {

using Lines = std::vector<std::string>;

TEST(ScriptedUiTest, EachAnswerGoesToTheNextDialogOfItsKind) {
    ScriptedUi ui;
    ui.Queue(ScriptedAnswer::Text("walk"));
    ui.Queue(ScriptedAnswer::Press(ScriptedAnswer::Button::No));
    ui.Queue(ScriptedAnswer::File("poses.spz"));
    ui.Queue(ScriptedAnswer::Press(ScriptedAnswer::Button::Ok));

    EXPECT_EQ(ui.AskOpenFile({.title = "", .filter = "Poses|*.spz||"}), "poses.spz");
    EXPECT_FALSE(ui.AskYesNo("OK to overwrite 'a.spz'?"));
    EXPECT_TRUE(ui.AskOkCancel("Continue?"));
    EXPECT_EQ(ui.AskText({.title = "Name", .initialText = "", .maxLength = 15}), "walk");
    EXPECT_EQ(ui.PendingAnswers(), 0u);
    EXPECT_FALSE(ui.AskSaveFile({}).has_value());
    EXPECT_FALSE(ui.AskYesNo("Again?"));

    EXPECT_EQ(ui.Transcript(),
              (Lines{"question: Open -> poses.spz", "question: OK to overwrite 'a.spz'? -> no",
                     "question: Continue? -> ok", "question: Name -> walk", "unanswered: Save As",
                     "unanswered: Again?"}));
}

TEST(ScriptedUiTest, MessagesStatusAndSink) {
    ScriptedUi ui;
    Lines seen;
    ui.SetLineSink([&seen](const std::string& line) { seen.push_back(line); });
    ui.SetStatusText("Ready.");
    ui.ShowMessage("Unable to load mesh.");
    ui.ShowAbout("Marionet");
    EXPECT_EQ(seen,
              (Lines{"status: Ready.", "message: Unable to load mesh.", "message: Marionet"}));
    EXPECT_EQ(ui.Transcript(), seen);
}

TEST(ScriptedUiTest, TextIsCutToTheLimitAndListsTakeOnlyTheirItems) {
    ScriptedUi ui;
    ui.Queue(ScriptedAnswer::Text("a name much longer than fifteen"));
    EXPECT_EQ(ui.AskText({.title = "Pose", .initialText = "", .maxLength = 15}), "a name much lon");

    ListChoiceRequest groups{.title = "Choose a group", .items = {"Head", "Left Arm"}};
    ui.Queue(ScriptedAnswer::Text("left arm"));
    EXPECT_EQ(ui.AskListChoice(groups), 1);
    ui.Queue(ScriptedAnswer::Text("Tail"));
    EXPECT_FALSE(ui.AskListChoice(groups).has_value());

    ui.Queue(ScriptedAnswer::Text("run"));
    EXPECT_EQ(ui.AskComboChoice({.title = "Frame", .items = {"walk"}, .initialText = "walk"}),
              "run");
    EXPECT_EQ(ui.Transcript(),
              (Lines{"question: Pose -> a name much lon", "question: Choose a group -> Left Arm",
                     "unanswered: Choose a group", "question: Frame -> run"}));
}

TEST(ScriptedUiTest, MeshNodesShareTheTorsoBox) {
    ScriptedUi ui;
    MeshNodesRequest request;
    request.nodes.fill(1);
    ui.Queue(ScriptedAnswer::Nodes({1, 4, 15}));
    std::optional<MeshNodeFlags> nodes = ui.AskMeshNodes(request);
    ASSERT_TRUE(nodes);
    MeshNodeFlags expected{};
    expected[0] = expected[1] = expected[4] = expected[15] = 1;
    EXPECT_EQ(*nodes, expected);
    ui.Queue(ScriptedAnswer::Nodes({}));
    request.nodes = *nodes;
    nodes = ui.AskMeshNodes(request);
    ASSERT_TRUE(nodes);
    EXPECT_EQ(*nodes, MeshNodeFlags{});
    EXPECT_FALSE(ui.AskMeshNodes(request));
    EXPECT_EQ(ui.Transcript(), (Lines{"question: Select Active Mesh Nodes -> 0 1 4 15",
                                      "question: Select Active Mesh Nodes -> none",
                                      "unanswered: Select Active Mesh Nodes"}));

    MeshNodeFlags onlyNode1{};
    onlyNode1[1] = 1;
    auto boxes = MeshNodeBoxes(onlyNode1);
    EXPECT_TRUE(boxes[0]);
    EXPECT_FALSE(boxes[1]);
}

TEST(ScriptedUiTest, ControlDeviceAnswers) {
    ScriptedUi ui;
    ControlDeviceChoice choice;
    ui.Queue(ScriptedAnswer::Device(1, 2));
    ASSERT_TRUE(ui.AskControlDevice(choice));
    EXPECT_EQ(choice.target, 1);
    EXPECT_EQ(choice.device, 2);
    EXPECT_EQ(ui.Transcript().back(), "question: Control Device -> camera joystick");
}

}  // namespace
