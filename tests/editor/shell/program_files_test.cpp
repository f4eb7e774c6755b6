#include <gtest/gtest.h>

#include <fstream>

#include "editor/model/model_document.h"
#include "editor/model/pose_record.h"
#include "editor/shell/command_ids.h"
#include "editor/shell/program_files.h"
#include "tests/editor/shell/shell_test_support.h"

using namespace ::editor::model;
using namespace ::editor::shell;

namespace {

void Touch(const std::string& path) {
    std::ofstream(path) << "x";
}

TEST(ProgramFilesTest, SideFilesComeFromTheProgramDirectoryElseTheInstallation) {
    struct Case {
        const char* executable;
        const char* dataDirectory;
    };
    for (const Case& c :
         {Case{"/usr/bin/Marionet", "/usr/share/marionet/"},
          Case{"/tmp/root/usr/bin/../bin/Marionet", "/tmp/root/usr/share/marionet/"},
          Case{"", ""}}) {
        EXPECT_EQ(InstalledDataDirectory(c.executable), c.dataDirectory) << c.executable;
    }

    TempDirectory program;
    TempDirectory installed;
    const std::string programDir = program.Path().string() + "/";
    const std::string installedDir = installed.Path().string() + "/";
    Touch(program.File("default.spz"));
    Touch(installed.File("default.spz"));
    Touch(installed.File("mocap.spz"));
    std::filesystem::create_directory(installed.File("refskel.bin"));  // not a file
    EXPECT_EQ(FindProgramFile(programDir, installedDir, "default.spz"), programDir + "default.spz");
    EXPECT_EQ(FindProgramFile(programDir, installedDir, "mocap.spz"), installedDir + "mocap.spz");
    EXPECT_EQ(FindProgramFile(programDir, installedDir, "refskel.bin"), programDir + "refskel.bin");
    EXPECT_EQ(FindProgramFile(programDir, "", "mocap.spz"), programDir + "mocap.spz");
}

// An installed editor started anywhere takes the installation's default pose.
TEST(ProgramFilesTest, TheFrameReadsTheInstalledDefaultPose) {
    TempDirectory installed;
    {
        FrameFixture saver;
        ASSERT_TRUE(saver.Start());
        saver.ui.Queue(ScriptedAnswer::Text("stand"));
        saver.ui.Queue(ScriptedAnswer::File(installed.File("default.spz")));
        ASSERT_TRUE(saver.frame->RunCommand(ID_FILE_SAVE_POSE));
    }
    FrameFixture fixture;
    fixture.frame->installedDataDir = installed.Path().string() + "/";
    ASSERT_TRUE(fixture.Start());
    EXPECT_EQ(PoseName(fixture.frame->Document().defaultPose), "stand");

    FrameFixture uninstalled;
    uninstalled.frame->installedDataDir.clear();
    ASSERT_TRUE(uninstalled.Start());
    EXPECT_NE(PoseName(uninstalled.frame->Document().defaultPose), "stand");
}

}  // namespace
