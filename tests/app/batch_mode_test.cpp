#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/marionet_main.h"
#include "editor/shell/batch_runner.h"
#include "tests/app/run_program.h"
#include "tests/support/scratch_directory.h"

using namespace ::app;
using namespace ::editor::shell;

namespace {

using Lines = std::vector<std::string>;

// Runs each test in an empty directory of its own: batch mode works in the current directory.
class BatchModeTest : public testing::Test {
  protected:
    void SetUp() override {
        previous_ = std::filesystem::current_path();
        std::filesystem::current_path(directory_.Path());
    }
    void TearDown() override { std::filesystem::current_path(previous_); }

    // Runs a script given as text; the lines it printed and its exit status.
    int Run(const std::string& script) {
        std::istringstream in(script);
        std::ostringstream out;
        std::ostringstream err;
        int status = BatchRunner(out, err).Run(in, "test.txt");
        output_ = Split(out.str());
        errors_ = err.str();
        return status;
    }

    static Lines Split(const std::string& text) {
        Lines lines;
        std::istringstream stream(text);
        for (std::string line; std::getline(stream, line);) {
            lines.push_back(line);
        }
        return lines;
    }

    // The expected lines appear in the output one after the other.
    void ExpectBlock(const Lines& expected) {
        auto it = std::search(output_.begin(), output_.end(), expected.begin(), expected.end());
        EXPECT_NE(it, output_.end()) << "not found in:\n" << Joined(output_);
    }

    static std::string Joined(const Lines& lines) {
        std::string text;
        for (const std::string& line : lines) {
            text += line + "\n";
        }
        return text;
    }

    std::filesystem::path previous_;
    ScratchDirectory directory_{"marionet-batch"};
    Lines output_;
    std::string errors_;
};

TEST_F(BatchModeTest, AnswersGoToTheirDialogsAndEveryLineIsPrinted) {
    EXPECT_EQ(Run("# control the camera with the mouse\n"
                  "answer device camera mouse\n"
                  "run Control Device...\n"
                  "run 32825          # live update: a notice\n"
                  "run Control Device\n"
                  "answer text stand\n"
                  "answer file pose.spz\n"
                  "run save pose\n"
                  "answer file pose.spz\n"
                  "run Load Pose\n"),
              0)
        << errors_;
    ExpectBlock({"question: Control Device -> camera mouse", "status: Control is now via: Mouse",
                 "message: I wish this were implemented already, but you'll have to wait for a "
                 "future version of Marionet.",
                 "unanswered: Control Device",
                 "question: Enter a name for this pose (15 chars max) -> stand"});
    ExpectBlock(
        {"question: Save As -> pose.spz", "status: Saved skeleton as 'stand' in pose.spz."});
    ExpectBlock({"question: Open -> pose.spz", "status: Posed skeleton as 'stand' from pose.spz."});
    EXPECT_TRUE(std::filesystem::exists("pose.spz"));
    EXPECT_TRUE(errors_.empty());
}

TEST_F(BatchModeTest, ClicksPickThroughTheView) {
    ASSERT_EQ(Run("view 320 240\n"
                  "click 160 120\n"
                  "click 2 2\n"),
              0)
        << errors_;
    // The skeleton stands at the centre of the front view; the corner is empty.
    auto selected = std::find_if(output_.begin(), output_.end(), [](const std::string& line) {
        return line.rfind("status: Selected: ", 0) == 0;
    });
    ASSERT_NE(selected, output_.end()) << Joined(output_);
    EXPECT_EQ(*std::next(selected), "status: No selection");
}

TEST_F(BatchModeTest, LogAndProfileFollowTheBatchContract) {
    ASSERT_EQ(Run("run Lock Position\nrun About Marionet\n"), 0) << errors_;
    // Every status line is also in mn.log in the current directory.
    std::ifstream log("mn.log");
    Lines logged;
    for (std::string line; std::getline(log, line);) {
        logged.push_back(line);
    }
    Lines statuses;
    for (const std::string& line : output_) {
        if (line.rfind("status: ", 0) == 0) {
            statuses.push_back(line.substr(8));
        }
    }
    EXPECT_EQ(logged, statuses);
    ExpectBlock({"message: Marionet Version 0.1.0 - character models for Heretic II"});
}

TEST_F(BatchModeTest, BadLinesUnknownAndDisabledCommandsFailNamingTheLine) {
    EXPECT_EQ(Run("run About Marionet\nanswer perhaps\n"), 1);
    EXPECT_NE(errors_.find("test.txt:2: "), std::string::npos) << errors_;
    EXPECT_TRUE(output_.empty());  // nothing ran

    EXPECT_EQ(Run("run About Marionet\n\nrun Make Coffee\n"), 1);
    EXPECT_EQ(errors_, "test.txt:3: unknown command 'Make Coffee'\n");
    EXPECT_TRUE(output_.empty());

    EXPECT_EQ(Run("run About Marionet\nrun Undo\nrun About Marionet\n"), 1);
    EXPECT_EQ(errors_, "test.txt:2: command 'Undo' (57643) is disabled\n");
    EXPECT_EQ(
        std::count_if(output_.begin(), output_.end(),
                      [](const std::string& line) { return line.rfind("message: ", 0) == 0; }),
        1);
}

TEST_F(BatchModeTest, MenuPathsNameCommandsAndAnAmbiguousNameRunsNothing) {
    // "Group/New" runs quietly; "Edit/Undo" has no behaviour, so it is disabled when reached.
    EXPECT_EQ(Run("run File/Save\nrun Group/New\nrun Edit/Undo\n"), 1);
    ExpectBlock({"message: Please open a model first."});
    EXPECT_EQ(errors_, "test.txt:3: command 'Edit/Undo' (57643) is disabled\n");

    EXPECT_EQ(Run("run About Marionet\nrun Save\n"), 1);
    EXPECT_EQ(errors_,
              "test.txt:2: 'Save' names 2 commands: File/Save (57603) and Group/Save (32869); "
              "write its menu path or id\n");
    EXPECT_TRUE(output_.empty());  // nothing ran
}

TEST_F(BatchModeTest, EmptyScriptRunsAndAMissingScriptFails) {
    EXPECT_EQ(Run("# nothing\n\n"), 0);
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(BatchRunner(out, err).RunFile("no-such-script.txt"), 1);
    EXPECT_EQ(err.str(), "Cannot open the script 'no-such-script.txt'.\n");
}

TEST(CommandLineTest, OptionsAndTheirErrors) {
    using Mode = CommandLine::Mode;
    EXPECT_EQ(ParseCommandLine({}).mode, Mode::Window);
    EXPECT_EQ(ParseCommandLine({"--help"}).mode, Mode::Help);
    EXPECT_EQ(ParseCommandLine({"--version"}).mode, Mode::Version);
    CommandLine batch = ParseCommandLine({"--batch", "run.txt"});
    EXPECT_EQ(batch.mode, Mode::Batch);
    EXPECT_EQ(batch.scriptPath, "run.txt");
    EXPECT_EQ(ParseCommandLine({"--batch"}).mode, Mode::Error);
    EXPECT_EQ(ParseCommandLine({"--batch", "a", "b"}).mode, Mode::Error);
    EXPECT_EQ(ParseCommandLine({"--version", "x"}).mode, Mode::Error);
    EXPECT_EQ(ParseCommandLine({"a.obj", "b.obj"}).error, "the window opens one file, not 2");
    EXPECT_EQ(ParseCommandLine({"-x"}).error, "unknown option '-x'");
    EXPECT_EQ(ParseCommandLine({""}).mode, Mode::Error);

    // A file (as the desktop entry passes it) opens the window and reaches it.
    std::ostringstream out;
    std::ostringstream err;
    std::string opened = "not called";
    WindowLayer window{[&opened](const std::string& path) {
                           opened = path;
                           return 7;
                       },
                       {}};
    EXPECT_EQ(RunMarionet(ParseCommandLine({"my model.fm"}), out, err, window), 7);
    EXPECT_EQ(opened, "my model.fm");
    EXPECT_EQ(RunMarionet(ParseCommandLine({}), out, err, window), 7);
    EXPECT_EQ(opened, "");
    EXPECT_EQ(RunMarionet(ParseCommandLine({"model.fm"}), out, err, WindowLayer{}), 1);
    EXPECT_NE(err.str().find("no window"), std::string::npos);
}

TEST_F(BatchModeTest, TheProgramRunsScriptsAndAnswersHelpAndVersion) {
    std::string output;
    EXPECT_EQ(RunProgram("--version", output), 0);
    EXPECT_EQ(output, "Marionet 0.1.0\n");
    EXPECT_EQ(RunProgram("--help", output), 0);
    EXPECT_EQ(
        output.rfind("Usage: Marionet [FILE | --batch FILE | --import-mocap CLIP OUT.spz", 0),
        0u);
    EXPECT_EQ(RunProgram("--frobnicate", output), 1);

    std::ofstream("script.txt") << "run Lock Position\nrun About Marionet\n";
    EXPECT_EQ(RunProgram("--batch script.txt", output), 0);
    EXPECT_NE(output.find("message: Marionet Version 0.1.0"), std::string::npos) << output;
    std::ofstream("bad.txt") << "run About Marionet\nrun\n";
    EXPECT_EQ(RunProgram("--batch bad.txt", output), 1);
    EXPECT_NE(output.find("bad.txt:2: 'run' needs a command"), std::string::npos) << output;
}

}  // namespace
