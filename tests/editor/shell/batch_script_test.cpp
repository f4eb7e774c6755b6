#include <gtest/gtest.h>

#include "tests/support/batch_script_run.h"
#include "tests/support/scratch_directory.h"

#include "editor/shell/batch_script.h"
#include "editor/shell/command_ids.h"

using namespace ::editor::shell;

namespace {

BatchStatement Parsed(std::string_view line) {
    BatchLine parsed = ParseBatchLine(line, 7);
    EXPECT_TRUE(parsed.error.empty()) << line << ": " << parsed.error;
    EXPECT_TRUE(parsed.statement.has_value()) << line;
    return parsed.statement.value_or(BatchStatement());
}

// The statement of the kind expected; an empty one (and a failure) when it is another kind.
template <typename Kind>
Kind ParsedAs(std::string_view line) {
    const BatchStatement statement = Parsed(line);
    const Kind* kind = std::get_if<Kind>(&statement.action);
    EXPECT_NE(kind, nullptr) << line;
    return kind != nullptr ? *kind : Kind();
}

ScriptedAnswer AnswerOf(std::string_view line) {
    return ParsedAs<batch::Answer>(line).answer;
}

std::string ErrorOf(std::string_view line) {
    return ParseBatchLine(line, 1).error;
}

TEST(BatchScriptTest, StatementsAndTheirArguments) {
    EXPECT_EQ(Parsed("  answer file  my models/cube.obj  # the mesh").line, 7);
    ScriptedAnswer file = AnswerOf("  answer file  my models/cube.obj  # the mesh");
    EXPECT_EQ(file.kind, ScriptedAnswer::Kind::File);
    EXPECT_EQ(file.text, "my models/cube.obj");

    EXPECT_EQ(AnswerOf("answer text  Walk cycle ").text, "Walk cycle");
    EXPECT_EQ(AnswerOf("ANSWER Yes").button, ScriptedAnswer::Button::Yes);
    EXPECT_EQ(AnswerOf("answer cancel").button, ScriptedAnswer::Button::Cancel);
    EXPECT_FALSE(AnswerOf("answer yes").toAll);
    ScriptedAnswer noAll = AnswerOf("answer No ALL");
    EXPECT_EQ(noAll.button, ScriptedAnswer::Button::No);
    EXPECT_TRUE(noAll.toAll);
    EXPECT_EQ(AnswerOf("answer nodes 0 2 15").nodes, (std::vector<int>{0, 2, 15}));
    ScriptedAnswer device = AnswerOf("answer device Camera joystick");
    EXPECT_EQ(device.device.target, 1);
    EXPECT_EQ(device.device.device, 2);
    ScriptedAnswer mocap = AnswerOf("answer mocap 12.5 walk Root-Motion");
    EXPECT_EQ(mocap.motionCapture.framesPerSecond, 12.5);
    EXPECT_EQ(mocap.motionCapture.baseName, "walk");
    EXPECT_TRUE(mocap.motionCapture.keepRootMotion);
    EXPECT_FALSE(AnswerOf("answer mocap 10 run").motionCapture.keepRootMotion);
    EXPECT_TRUE(ParsedAs<batch::Answer>("answer Clear").clear);
    EXPECT_FALSE(ParsedAs<batch::Answer>("answer text clear").clear);

    EXPECT_EQ(ParsedAs<batch::Run>("run Save Pose").command, "Save Pose");
    batch::View view = ParsedAs<batch::View>("view 800 600");
    EXPECT_EQ(view.width, 800);
    EXPECT_EQ(view.height, 600);
    EXPECT_EQ(ParsedAs<batch::Click>("Click 12 -3").y, -3);
    EXPECT_EQ(ParsedAs<batch::Pick>("pick 40").face, 40);
    EXPECT_EQ(ParsedAs<batch::Select>("select left elbow").name, "left elbow");

    EXPECT_EQ(ParsedAs<batch::Snapshot>("snapshot out/front view.PNG").path, "out/front view.PNG");

    EXPECT_FALSE(ParseBatchLine("   # only a comment", 1).statement.has_value());
    EXPECT_TRUE(ParseBatchLine("", 1).error.empty());
}

TEST(BatchScriptTest, LinesThatCannotBeParsed) {
    EXPECT_NE(ErrorOf("jump 3"), "");
    EXPECT_NE(ErrorOf("answer"), "");
    EXPECT_NE(ErrorOf("answer file"), "");
    EXPECT_NE(ErrorOf("answer maybe"), "");
    EXPECT_NE(ErrorOf("answer yes please"), "");
    EXPECT_NE(ErrorOf("answer ok all"), "");
    EXPECT_NE(ErrorOf("answer yes all now"), "");
    EXPECT_NE(ErrorOf("answer clear all"), "");
    EXPECT_NE(ErrorOf("answer nodes 3 16"), "");
    EXPECT_NE(ErrorOf("answer nodes x"), "");
    EXPECT_NE(ErrorOf("answer device object"), "");
    EXPECT_NE(ErrorOf("answer device light mouse"), "");
    for (const char* mocap : {"answer mocap", "answer mocap 10", "answer mocap 0 walk",
                              "answer mocap 1001 walk", "answer mocap ten walk",
                              "answer mocap 10 walk sideways", "answer mocap 10 walk in-place x"}) {
        EXPECT_NE(ErrorOf(mocap), "") << mocap;
    }
    EXPECT_NE(ErrorOf("run"), "");
    EXPECT_NE(ErrorOf("view 0 480"), "");
    EXPECT_NE(ErrorOf("view 640"), "");
    EXPECT_NE(ErrorOf("click 1 2 3"), "");
    EXPECT_NE(ErrorOf("click a b"), "");
    EXPECT_NE(ErrorOf("view 99999999999 1"), "");
    EXPECT_NE(ErrorOf("snapshot"), "");
    EXPECT_NE(ErrorOf("snapshot view.jpg"), "");
    EXPECT_NE(ErrorOf("snapshot .png"), "");
    for (const char* place : {"place left elbow", "place left elbow 1 2", "place left elbow 1 2 z",
                              "place left thigh 1 2 3", "place model 1 2 3",
                              "place left elbow 1 2 inf", "show joints now"}) {
        EXPECT_NE(ErrorOf(place), "") << place;
    }
}

TEST(BatchScriptTest, PlaceTakesAJointWithBlanksAndAPoint) {
    batch::Place place = ParsedAs<batch::Place>("Place  bottom of stored bow  1.5 -2 3e1");
    EXPECT_EQ(place.joint, "bottom of stored bow");
    EXPECT_EQ(place.point[0], 1.5);
    EXPECT_EQ(place.point[1], -2.0);
    EXPECT_EQ(place.point[2], 30.0);
    EXPECT_EQ(ParsedAs<batch::Show>("show Joints").subject, batch::Show::Subject::Joints);
    EXPECT_EQ(ParsedAs<batch::Show>("show bone left upper arm").bone, "left upper arm");
}

TEST(BatchScriptTest, CommandsByIdMenuPathOrMenuText) {
    struct Case {
        const char* written;
        int id;  // 0: no command found
    };
    const Case cases[] = {
        {"32817", ID_FILE_SAVE_POSE},
        {"save pose", ID_FILE_SAVE_POSE},
        {"Save Pose...", ID_FILE_SAVE_POSE},
        {"Sa&ve Pose...", ID_FILE_SAVE_POSE},
        {"Flex Model From", ID_EXPORT_FLEX_MODEL_FROM},
        {"File/Export/Flex Model From", ID_EXPORT_FLEX_MODEL_FROM},
        {"&File/&Export.../Flex Model F&rom...", ID_EXPORT_FLEX_MODEL_FROM},
        {"solid (selectable)", ID_MODEL_SOLID},
        {"Transforms", ID_TRANSFORMS},
        {"Arm/Leg Beef", ID_ARM_LEG_BEEF},
        {"File/New", ID_FILE_NEW},
        {"group/new", ID_GROUP_NEW},
        {"File/Save", ID_FILE_SAVE},
        {"Group/Save...", ID_GROUP_SAVE},
        {" Group / Save ", ID_GROUP_SAVE},
        {"Model/Live Update", ID_MODEL_LIVE_UPDATE_MENU},
        {"32825", ID_LIVE_UPDATE},
        {"Save Everything", 0},
        {"Group/Save Pose", 0},
        {"Save/Group", 0},
        {"99999", 0},
    };
    for (const Case& c : cases) {
        ScriptCommand found = FindCommandForScript(c.written);
        EXPECT_EQ(found.id.value_or(0), c.id) << c.written;
        EXPECT_EQ(found.error.empty(), c.id != 0) << c.written << ": " << found.error;
    }
    EXPECT_EQ(FindCommandForScript("Save Everything").error, "unknown command 'Save Everything'");
}

TEST(BatchScriptTest, AShortNameOfTwoCommandsIsAnErrorNamingBoth) {
    EXPECT_EQ(FindCommandForScript("Save").error,
              "'Save' names 2 commands: File/Save (57603) and Group/Save (32869); write its menu "
              "path or id");
    EXPECT_EQ(FindCommandForScript("new").error,
              "'new' names 2 commands: File/New (57600) and Group/New (32867); write its menu "
              "path or id");
    // The command without a menu entry shares its name with a menu item: its id tells them apart.
    EXPECT_EQ(FindCommandForScript("Live Update").error,
              "'Live Update' names 2 commands: Model/Live Update (32896) and Live Update (32825); "
              "write its menu path or id");
}

}  // namespace

// Answers left over from a dialog that was never asked stay queued until `answer clear`.
TEST(BatchScriptTest, AnswerClearLeavesTheNextDialogsUnanswered) {
    BatchScriptRun run;
    ScratchDirectory directory;
    ASSERT_EQ(run.Run("answer text walk\nanswer clear\nrun Save Pose\n"
                      "answer text stand\nrun Save Pose\n",
                      directory.File("mn.log")),
              0)
        << run.errors;
    EXPECT_TRUE(run.Printed("unanswered: Enter a name for this pose (15 chars max)"));
    EXPECT_TRUE(run.Printed("question: Enter a name for this pose (15 chars max) -> stand"));
}
