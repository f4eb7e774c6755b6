// The three export commands in the main frame on a real character (Sydney, bound from her
// sample bindings): quick and chosen pose files, with the generated-model view off and on,
// every frame read back by fmtoobj and the editor's reader; a cancel puts the view back.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "editor/io/mesh_readers.h"
#include "editor/skeleton/pose_file.h"
#include "fmtoobj/converter.h"
#include "tests/editor/export/export_fixture.h"
#include "tests/editor/export/flex_file.h"
#include "tests/editor/export/sydney_bound.h"
#include "tests/editor/skeleton/frame_fixture.h"
#include "tests/support/batch_script_run.h"

using namespace ::editor::skeleton;

namespace {

class ExportCommandsTest : public FrameTest {
  protected:
    void SetUp() override {
        Start();
        for (const ScriptedAnswer& answer : SydneyBoundAnswers()) {
            ui_.Queue(answer);
        }
        ASSERT_TRUE(Run(ID_FILE_OPEN));
        ASSERT_TRUE(Run(ID_FILE_LOAD_BINDINGS));
        std::vector<uint8_t> bytes = ReadFile(JUMP);
        ASSERT_TRUE(ParsePoseFile(bytes, jump_));
    }

    // Every frame of the file read back by both readers.
    void ExpectReadable(const std::string& path, int frames) {
        FlexFile file{ReadFile(path)};
        bool exact = false;
        EXPECT_EQ(file.Chunks(exact).size(), 9u);
        EXPECT_TRUE(exact);
        EXPECT_EQ(file.Header().numFrames, frames);
        const int vertices = file.Header().numXyz;
        for (int f = 0; f < frames; ++f) {
            const std::string name = PoseName(jump_[f]);
            fmtoobj::ConverterOptions options;
            options.extended = true;
            options.frameName = name;
            std::ostringstream console;
            fmtoobj::MemoryDirectory output;
            EXPECT_EQ(fmtoobj::ConvertModel(file.bytes, options, console, output), 0) << name;
            auto mesh = std::make_unique<MeshData>();
            EXPECT_EQ(editor::io::ReadFmFrame(*mesh, path, name), 0) << name;
            EXPECT_EQ(mesh->vertexCount, vertices);
        }
    }

    std::vector<PoseRecord> jump_;
};

TEST_F(ExportCommandsTest, QuickExportOfFortyPosesWritesThirtyTwoFrames) {
    std::vector<PoseRecord> forty(jump_.begin(), jump_.begin() + 40);
    WritePoseFile(File("mocap.spz"), forty);
    ui_.Queue(ScriptedAnswer::File(File("quick.fm")));
    ASSERT_TRUE(Run(ID_EXPORT_QUICK_FLEX_MODEL));
    EXPECT_TRUE(Saw("status: Flex model generated in '" + File("quick.fm") + "'"));
    ExpectReadable(File("quick.fm"), 32);
    EXPECT_FALSE(frame_->options.quickExport);
    EXPECT_EQ(Document().model.visible, 1u);
    EXPECT_EQ(Document().exporting, 0u);
}

TEST_F(ExportCommandsTest, ExportFromAChosenPoseFileWithTheGeneratedModelShownOrNot) {
    for (bool shown : {false, true}) {
        if (shown) {
            ASSERT_TRUE(Run(ID_VIEW_GENERATED_MODEL));
            ASSERT_EQ(Document().viewGenerated, 1u);
            // The second generation asks before replacing each bone's stored positions.
            for (int i = 0; i < NUM_BONES; ++i) {
                ui_.Queue(ScriptedAnswer::Press(ScriptedAnswer::Button::Yes));
            }
        }
        const std::string out = File(shown ? "shown.fm" : "hidden.fm");
        ui_.Queue(ScriptedAnswer::File(out));
        ui_.Queue(ScriptedAnswer::File(JUMP));
        ASSERT_TRUE(Run(ID_EXPORT_FLEX_MODEL_FROM));
        EXPECT_TRUE(Saw("status: Processing frame #230 of 230 ('jump230')...") || shown);
        EXPECT_EQ(Saw("status: Processing frame 'jump2'..."), shown);
        ExpectReadable(out, 230);
    }
}

TEST_F(ExportCommandsTest, TwoExportsInARowWriteTheSameBytes) {
    std::vector<PoseRecord> some(jump_.begin(), jump_.begin() + 40);
    WritePoseFile(File("mocap.spz"), some);
    for (const char* name : {"first.fm", "second.fm", "third.fm"}) {
        ui_.Queue(ScriptedAnswer::Press(ScriptedAnswer::Button::Yes, true));
        ui_.Queue(ScriptedAnswer::File(File(name)));
        ASSERT_TRUE(Run(ID_EXPORT_QUICK_FLEX_MODEL));
    }
    const std::vector<uint8_t> first = ReadFile(File("first.fm"));
    ASSERT_FALSE(first.empty());
    EXPECT_TRUE(first == ReadFile(File("second.fm")));
    EXPECT_TRUE(first == ReadFile(File("third.fm")));
}

TEST_F(ExportCommandsTest, YesOrNoToAllAnswersEveryBoneOfOneRunOnly) {
    ASSERT_TRUE(frame_->MakePoseable());  // the first run has nothing to overwrite
    // The overwrite questions of the last run, and forgets them.
    auto questions = [this] {
        std::vector<std::string> asked;
        for (const std::string& line : ui_.Transcript()) {
            if (line.find("OK to overwrite '") != std::string::npos) {
                asked.push_back(line);
            }
        }
        ui_.ClearTranscript();
        return asked;
    };
    EXPECT_TRUE(questions().empty());
    // The answers the opening left over come first; "yes all" then answers the rest.
    ui_.Queue(ScriptedAnswer::Press(ScriptedAnswer::Button::Yes, true));
    ASSERT_TRUE(frame_->MakePoseable());
    std::vector<std::string> asked = questions();
    ASSERT_FALSE(asked.empty());
    EXPECT_LT(asked.size(), 5u);
    EXPECT_EQ(asked.back().substr(asked.back().size() - 10), "-> yes all") << asked.back();
    ui_.Queue(ScriptedAnswer::Press(ScriptedAnswer::Button::No, true));
    ASSERT_TRUE(frame_->MakePoseable());
    EXPECT_EQ(questions(),
              (std::vector<std::string>{"question: OK to overwrite 'left pelvis'? -> no all"}));
    // The next run asks again, for each bone holding stored positions.
    ASSERT_TRUE(frame_->MakePoseable());
    EXPECT_GT(questions().size(), 10u);
}

// The same in a script: `answer yes all` answers the first question of the second Make
// Poseable and every one after it, and nothing is left unanswered.
TEST(ExportScripts, AnswerYesAllAnswersEveryBoneOfTheRun) {
    BatchScriptRun run;
    ScratchDirectory scratch("yes-all");
    ASSERT_EQ(run.Run("answer file " + SYDNEY +
                          "sydney.md2\n"
                          "answer text stand1\n"
                          "answer no\n"
                          "run Open\n"
                          "answer file " +
                          SYDNEY +
                          "sydney.bnd\n"
                          "run Load Bindings\n"
                          "run Make Poseable\n"
                          "answer yes all\n"
                          "run Make Poseable\n",
                      scratch.File("mn.log")),
              0)
        << run.errors;
    const std::vector<std::string> asked = run.Starting("question: OK to overwrite '");
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].substr(asked[0].size() - 10), "-> yes all") << asked[0];
    EXPECT_TRUE(run.Starting("unanswered: ").empty());
    EXPECT_EQ(run.Starting("status: Generation compete.").size(), 2u);
}

TEST_F(ExportCommandsTest, CancellingThePoseDialogLeavesTheModelShown) {
    ui_.Queue(ScriptedAnswer::File(File("never.fm")));
    ASSERT_TRUE(Run(ID_EXPORT_FLEX_MODEL_FROM));
    EXPECT_FALSE(std::filesystem::exists(File("never.fm")));
    EXPECT_EQ(Document().model.visible, 1u);
    EXPECT_EQ(Document().exporting, 0u);
}

TEST_F(ExportCommandsTest, MissingMocapFileIsRefused) {
    ui_.Queue(ScriptedAnswer::File(File("out.fm")));
    ASSERT_TRUE(Run(ID_EXPORT_FLEX_MODEL));
    EXPECT_TRUE(
        Saw("message: Can't read animations from '" + File("mocap.spz") + "' - export aborted."));
    EXPECT_FALSE(std::filesystem::exists(File("out.fm")));
}

}  // namespace
