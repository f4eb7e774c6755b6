// Motion capture from the command line and from batch scripts, run as users run them.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "app/marionet_main.h"
#include "editor/shell/batch_runner.h"
#include "tests/app/run_program.h"
#include "tests/support/rigged_character.h"
#include "tests/support/scratch_directory.h"

using namespace ::app;
using namespace ::editor::shell;

namespace {

const std::string kClip = "/usr/share/assimp/models/BVH/01_01.bvh";

class ImportMocapTest : public testing::Test {
  protected:
    void SetUp() override {
        previous_ = std::filesystem::current_path();
        std::filesystem::current_path(scratch_.Path());
    }
    void TearDown() override { std::filesystem::current_path(previous_); }

    static std::string Contents(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    ScratchDirectory scratch_;
    std::filesystem::path previous_;
};

TEST_F(ImportMocapTest, ParsesItsOptions) {
    using Mode = CommandLine::Mode;
    CommandLine full = ParseCommandLine({"--import-mocap", "walk.bvh", "walk.spz", "--fps", "12.5",
                                         "--name", "walk", "--root-motion"});
    ASSERT_EQ(full.mode, Mode::ImportMocap) << full.error;
    EXPECT_EQ(full.clipPath, "walk.bvh");
    EXPECT_EQ(full.posePath, "walk.spz");
    EXPECT_EQ(full.framesPerSecond, 12.5);
    EXPECT_EQ(full.baseName, "walk");
    EXPECT_TRUE(full.keepRootMotion);
    CommandLine plain = ParseCommandLine({"--import-mocap", "a.bvh", "b.spz"});
    EXPECT_EQ(plain.framesPerSecond, 10.0);
    EXPECT_FALSE(plain.keepRootMotion);
    EXPECT_TRUE(plain.baseName.empty());

    const std::vector<std::vector<std::string>> wrong = {
        {"--import-mocap"},
        {"--import-mocap", "a.bvh"},
        {"--import-mocap", "a.bvh", "b.spz", "c"},
        {"--import-mocap", "a.bvh", "b.spz", "--fps"},
        {"--import-mocap", "a.bvh", "b.spz", "--fps", "0"},
        {"--import-mocap", "a.bvh", "b.spz", "--fps", "ten"},
        {"--import-mocap", "a.bvh", "b.spz", "--fps", "1001"},
        {"--import-mocap", "a.bvh", "b.spz", "--name"},
        {"--import-mocap", "a.bvh", "b.spz", "--loop"},
    };
    for (const auto& arguments : wrong) {
        EXPECT_EQ(ParseCommandLine(arguments).mode, Mode::Error) << arguments.back();
    }
}

TEST_F(ImportMocapTest, WritesAWholeFileOrLeavesTheOldOne) {
    if (!std::filesystem::exists(kClip)) {
        GTEST_SKIP() << "assimp-testmodels is not installed";
    }
    std::string output;
    ASSERT_EQ(RunProgram("--import-mocap '" + kClip + "' jump.spz --name jump --fps 5", output), 0)
        << output;
    EXPECT_EQ(output, "Converted '" + kClip + "' into 115 poses in jump.spz.\n");
    EXPECT_EQ(std::filesystem::file_size("jump.spz"), 8u + 115u * 1792u);

    // A clip that cannot be read leaves the existing pose file exactly as it was.
    std::ofstream("bad.bvh") << "HIERARCHY\nROOT Hips\n{\n  OFFSET 0 0\n}\n";
    std::string before = Contents("jump.spz");
    EXPECT_EQ(RunProgram("--import-mocap bad.bvh jump.spz", output), 1);
    EXPECT_EQ(output, "Marionet: 'bad.bvh' line 5: OFFSET expects 3 numbers, found '}'\n");
    EXPECT_EQ(Contents("jump.spz"), before);
    // So does a base name too long for the pose names.
    EXPECT_EQ(RunProgram("--import-mocap '" + kClip + "' jump.spz --name abcdefghijklm", output),
              1);
    EXPECT_NE(output.find("'" + kClip + "': the base name 'abcdefghijklm' is too long"),
              std::string::npos)
        << output;
    EXPECT_EQ(Contents("jump.spz"), before);
}

TEST_F(ImportMocapTest, BatchScriptsConvertAndPlayEachPoseOnce) {
    if (!std::filesystem::exists(kClip)) {
        GTEST_SKIP() << "assimp-testmodels is not installed";
    }
    std::istringstream script("answer file " + kClip +
                              "\n"
                              "answer mocap 2 jump root-motion\n"
                              "answer file jump.spz\n"
                              "run Import Motion Capture\n"
                              "answer file jump.spz\n"
                              "answer text 10\n"
                              "run Play Poses\n");
    std::ostringstream out;
    std::ostringstream err;
    ASSERT_EQ(BatchRunner(out, err).Run(script, "mocap.txt"), 0) << err.str();
    std::string text = out.str();
    EXPECT_NE(text.find("question: Import Motion Capture -> 2 jump root-motion"), std::string::npos)
        << text;
    EXPECT_NE(text.find("status: Converted '" + kClip + "' into 46 poses in jump.spz."),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("status: Pose 'jump1' (1 of 46)"), std::string::npos);
    EXPECT_NE(text.find("status: Pose 'jump46' (46 of 46)"), std::string::npos);
    EXPECT_NE(text.find("status: Played 46 poses from jump.spz."), std::string::npos);
    EXPECT_EQ(std::filesystem::file_size("jump.spz"), 8u + 46u * 1792u);
}

// A glTF file of two animations: the command line takes the first unless --take names another;
// a script answers the window's question with `answer text NAME`.
TEST_F(ImportMocapTest, AnimatedSceneFilesConvertTheTakeNamed) {
    rigged_character::WriteGltf("moves.gltf", true, true);
    std::string output;
    ASSERT_EQ(RunProgram("--import-mocap moves.gltf wave.spz --fps 30", output), 0) << output;
    EXPECT_EQ(output, "Converted 'moves.gltf' into 12 poses in wave.spz.\n");
    ASSERT_EQ(
        RunProgram("--import-mocap moves.gltf idle.spz --fps 30 --take idle --name idle", output),
        0)
        << output;
    EXPECT_TRUE(Contents("wave.spz") != Contents("idle.spz"));
    EXPECT_EQ(RunProgram("--import-mocap moves.gltf run.spz --take run", output), 1);
    EXPECT_EQ(output, "Marionet: 'moves.gltf': it has no animation 'run' (it has Wave, Idle).\n");
    EXPECT_FALSE(std::filesystem::exists("run.spz"));
    EXPECT_EQ(ParseCommandLine({"--import-mocap", "a.fbx", "b.spz", "--take", "Run"}).take, "Run");

    std::istringstream script(
        "answer file moves.gltf\nanswer text IDLE\nanswer mocap 30 idle\n"
        "answer file batch_idle.spz\nrun Import Motion Capture\n");
    std::ostringstream out;
    std::ostringstream err;
    ASSERT_EQ(BatchRunner(out, err).Run(script, "mocap.txt"), 0) << err.str();
    EXPECT_NE(out.str().find("question: Which animation of 'moves.gltf' to convert? -> Idle"),
              std::string::npos)
        << out.str();
    EXPECT_NE(out.str().find("status: Converted 'moves.gltf' into 12 poses in batch_idle.spz."),
              std::string::npos);
}

}  // namespace
