#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "editor/io/image_file.h"
#include "editor/shell/batch_runner.h"
#include "scene/image.h"
#include "tests/support/batch_script_run.h"
#include "tests/support/scratch_directory.h"

using namespace ::editor::io;
using namespace ::editor::shell;
using namespace ::scene;

namespace {

namespace fs = std::filesystem;

const std::string DATA = PROPS_TEST_DATA;

class OpenAndMerge : public ::testing::Test {
  protected:
    std::string Path(const std::string& name) const { return (dir / name).string(); }

    void WriteSkin(const std::string& name, uint8_t r, uint8_t g, uint8_t b) {
        C3dImage image;
        ASSERT_TRUE(CreateFilled(image, 256, 256, r, g, b));
        ASSERT_TRUE(SaveTgaFile(image, Path(name), nullptr));
    }

    // Runs the script; its output lines are kept in `lines`.
    int Run(const std::string& script) {
        const int result = run.Run(script, Path("mn.log"));
        lines = run.lines;
        errors = run.errors;
        return result;
    }

    int CountStartingWith(const std::string& prefix) const {
        return static_cast<int>(std::count_if(
            lines.begin(), lines.end(), [&](const auto& l) { return l.rfind(prefix, 0) == 0; }));
    }

    bool Printed(const std::string& line) const { return run.Printed(line); }
    BatchScriptRun run;

    ScratchDirectory scratch{"marionet-open"};
    const fs::path dir = scratch.Path();
    std::vector<std::string> lines;
    std::string errors;
};

TEST_F(OpenAndMerge, EachClosedPieceOfARealMeshGetsItsOwnGroupAfterOneQuestion) {
    for (const char* file : {"crate.obj", "crate.3ds"}) {
        ASSERT_EQ(Run("answer file " + DATA + "/" + file + "\nanswer yes\nrun Open\n"), 0)
            << errors;
        EXPECT_EQ(CountStartingWith("question: Some closed sub-meshes in this model don't have "
                                    "their own group. Create groups for them? -> yes"),
                  1)
            << file;
        EXPECT_EQ(CountStartingWith("status: Added group '"), 2) << file;
        const std::string group = std::string(file) == "crate.obj" ? "crate" : "_crate_0";
        EXPECT_TRUE(Printed("status: Added group '" + group + "AA' - part of '" + group + "'."));
        EXPECT_TRUE(Printed("status: Added group '" + group + "AB' - part of '" + group + "'."));
        EXPECT_TRUE(Printed("status: Opened: " + DATA + "/" + file));
    }
}

TEST_F(OpenAndMerge, AScriptOpensMergesAndSavesTheComposedSkin) {
    WriteSkin("crate.tga", 255, 0, 0);
    WriteSkin("blade.tga", 0, 255, 0);
    const std::string script = "answer file " + DATA + "/crate.obj\n" +
                               "answer no\n"
                               "run Open\n"
                               "answer file " +
                               DATA +
                               "/blade.obj\n"
                               "run Open Prop\n"
                               "answer ok\nanswer ok\nanswer ok\n"
                               "run Merge Prop\n"
                               "answer file " +
                               Path("crate.tga") + "\nanswer file " + Path("blade.tga") +
                               "\nanswer file " + Path("merged.tga") +
                               "\n"
                               "run Merged Skin\n";
    ASSERT_EQ(Run(script), 0) << errors;
    EXPECT_EQ(CountStartingWith("status: Added group"), 0);  // declined
    EXPECT_TRUE(
        Printed("question: The model and prop textures overlap. Do you want Marionet to "
                "try to remap them? -> ok"));
    // The blade reaches 256: remapped, shrunk to 64% and turned beside the crate's skin.
    EXPECT_TRUE(
        Printed("status: NOTE: Prop skin was 256x204 at upper left (0,26); will be 64% "
                "of this size and rotated 90 degrees (swap x,y / flip x) at (117,1)."));
    EXPECT_EQ(CountStartingWith("status: Unable"), 0);
    EXPECT_EQ(lines[lines.size() - 3], "status: Ready.");

    C3dImage merged;
    ASSERT_TRUE(LoadImageFile(merged, Path("merged.tga"), nullptr));
    ASSERT_EQ(merged.GetWidth(), 256);
    const auto pixel = [&](int x, int y) {
        uint8_t r = 0, g = 0, b = 0;
        GetPixel(merged, x, y, r, g, b);
        return (r << 16) | (g << 8) | b;
    };
    // The crate's region: columns 0..114, rows 26..229, at full size and in place.
    EXPECT_EQ(pixel(0, 26), 0xFF0000);
    EXPECT_EQ(pixel(114, 229), 0xFF0000);
    EXPECT_EQ(pixel(0, 25), 0x0000FF);
    EXPECT_EQ(pixel(0, 230), 0x0000FF);
    // The blade's region, turned: 204 rows become about 133 columns from 117, 256 columns
    // become about 166 rows from 1.
    EXPECT_EQ(pixel(117, 1), 0x00FF00);
    EXPECT_EQ(pixel(248, 166), 0x00FF00);
    EXPECT_EQ(pixel(116, 1), 0x0000FF);
    EXPECT_EQ(pixel(117, 0), 0x0000FF);
    EXPECT_EQ(pixel(200, 200), 0x0000FF);
    EXPECT_EQ(pixel(255, 255), 0x0000FF);
}

TEST_F(OpenAndMerge, TheRecentFileListOpensThroughTheSamePath) {
    ASSERT_EQ(Run("answer file " + DATA + "/blade.obj\nrun Open\nrun Recent File 1\n"), 0)
        << errors;
    EXPECT_EQ(CountStartingWith("status: Opened: " + DATA + "/blade.obj"), 2);
    EXPECT_EQ(CountStartingWith("question: Open"), 1);  // the recent entry asks for no file
}

}  // namespace
