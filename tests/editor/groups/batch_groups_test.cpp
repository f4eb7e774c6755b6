#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "editor/shell/batch_runner.h"
#include "tests/support/batch_script_run.h"
#include "tests/support/scratch_directory.h"

using namespace ::editor::shell;

namespace {

const std::string SYDNEY = "/usr/share/assimp/models/MD2/sydney.md2";

// Opening the character answers the frame choice, declines the closed sub-mesh groups and lets
// the merge place the skin.
const std::string OPEN_SYDNEY = "answer file " + SYDNEY +
                                "\n"
                                "answer text stand1\n"
                                "answer no\n"
                                "answer ok\nanswer ok\nanswer ok\nanswer ok\n"
                                "run Open\n";

class BatchGroups : public ::testing::Test {
  protected:
    int Run(const std::string& script) {
        const int result = run_.Run(script, scratch_.File("mn.log"));
        lines_ = run_.lines;
        errors_ = run_.errors;
        return result;
    }
    bool Printed(const std::string& line) const { return run_.Printed(line); }
    std::vector<std::string> Starting(const std::string& prefix) const {
        return run_.Starting(prefix);
    }
    BatchScriptRun run_;

    ScratchDirectory scratch_{"batch-groups"};
    std::vector<std::string> lines_;
    std::string errors_;
};

TEST_F(BatchGroups, UnknownNamesStopTheScriptBeforeAnythingRuns) {
    for (const char* text : {"select nobody", "show bone left knee", "pick -1", "show all"}) {
        const std::string line = text;
        EXPECT_EQ(Run("run Dividing Plane\n" + line + "\n"), 1) << line;
        EXPECT_EQ(errors_.rfind("test.txt:2: ", 0), 0u) << errors_;
        EXPECT_TRUE(lines_.empty()) << line;
    }
    EXPECT_EQ(Run("select LEFT KNEE\nshow selection\npick 3\n"), 1);
    EXPECT_TRUE(Printed("status: Selected: left knee"));
    EXPECT_TRUE(Printed("selection: left knee; current bone: none"));
    EXPECT_EQ(errors_, "test.txt:3: there is no model to pick a face of\n");
}

TEST_F(BatchGroups, ARealCharacterIsGroupedSplitFilledBoundAndItsBindingsKept) {
    if (!std::filesystem::exists(SYDNEY)) {
        GTEST_SKIP() << SYDNEY << " is not installed (assimp-testmodels)";
    }
    const std::string bindings = scratch_.File("sydney.bnd");
    const std::string script = OPEN_SYDNEY +
                               "show groups\n"
                               "answer text mesh\n"
                               "run Add\n"
                               "run Dividing Plane\n"
                               "answer text upper\nanswer text lower\nanswer text middle\n"
                               "run Split\n"
                               "show groups\n"
                               "show temporary\n"
                               "pick 100\n"
                               "show temporary\n"
                               "run Flood Add Triangles\n"
                               "select left thigh\n"
                               "show selection\n"
                               "run Bind to Bone\n"
                               "show bone left thigh\n"
                               "answer file " +
                               bindings +
                               "\n"
                               "run Save Bindings\n"
                               "run Unbind All Bones\n"
                               "show bone left thigh\n"
                               "answer file " +
                               bindings +
                               "\n"
                               "run Load Bindings\n"
                               "show bone left thigh\n"
                               "run Guess Bindings\n";
    ASSERT_EQ(Run(script), 0) << errors_;
    EXPECT_TRUE(Printed("group mesh: 679 triangles: 0-678"));
    EXPECT_TRUE(Printed("groups: 4"));
    // The three parts of the split cover the group once.
    int parts = 0;
    for (const char* name : {"upper", "lower", "middle"}) {
        const std::vector<std::string> part = Starting(std::string("group ") + name + ": ");
        ASSERT_EQ(part.size(), 1u) << name;
        parts += std::stoi(part[0].substr(part[0].find(": ") + 2));
    }
    EXPECT_EQ(parts, 679);
    EXPECT_EQ(Starting("temporary: "),
              (std::vector<std::string>{"temporary: 0 triangles:", "temporary: 1 triangles: 100"}));
    EXPECT_EQ(Starting("status: Selected: 3D Shape (100 @ ").size(), 1u);
    EXPECT_TRUE(Printed("selection: left thigh; current bone: left thigh"));
    const std::vector<std::string> thigh = Starting("bone left thigh: ");
    ASSERT_EQ(thigh.size(), 3u);
    EXPECT_NE(thigh[0], "bone left thigh: 0 triangles:");
    EXPECT_EQ(thigh[1], "bone left thigh: 0 triangles:");
    EXPECT_EQ(thigh[2], thigh[0]);
    EXPECT_EQ(std::filesystem::file_size(bindings), 10212u);
    EXPECT_FALSE(Starting("status: Checking for neighbors of '").empty());
    EXPECT_EQ(lines_[lines_.size() - 3].rfind("status: Guessed bindings: ", 0), 0u)
        << lines_[lines_.size() - 3];
}

// The count at the end of a line "... N triangles...": N.
int TriangleCount(const std::string& line) {
    const size_t colon = line.find(": ");
    return std::stoi(line.substr(colon + 2));
}

TEST_F(BatchGroups, MendingABoneAddsToItsBindingsAndSaysHowMany) {
    if (!std::filesystem::exists(SYDNEY)) {
        GTEST_SKIP() << SYDNEY << " is not installed (assimp-testmodels)";
    }
    const std::string bindings = scratch_.File("mended.bnd");
    ASSERT_EQ(Run(OPEN_SYDNEY +
                  "answer text mesh\n"
                  "run Group/Add\n"
                  "run Guess Bindings\n"
                  "select left thigh\n"
                  "show bone left thigh\n"
                  "run Group/New\n"
                  "pick 100\npick 101\npick 102\n"
                  "run Add to Bone\n"
                  "show bone left thigh\n"
                  "run Add to Bone\n"
                  "pick 102\n"
                  "run Remove from Bone\n"
                  "show bone left thigh\n"
                  "run Remove from Bone\n"
                  "answer file " +
                  bindings +
                  "\n"
                  "run Save Bindings\n"
                  "answer file " +
                  bindings +
                  "\n"
                  "run Load Bindings\n"),
              0)
        << errors_;
    EXPECT_TRUE(Printed("status: Added 679 triangles of 'mesh' to the temporary group (now 679)."));
    const std::vector<std::string> guessed = Starting("status: Guessed bindings: ");
    ASSERT_EQ(guessed.size(), 1u);
    EXPECT_NE(guessed[0].find(" of the model's 679 triangles bound to "), std::string::npos)
        << guessed[0];
    const std::vector<std::string> thigh = Starting("bone left thigh: ");
    ASSERT_EQ(thigh.size(), 3u);
    const int guessedThigh = TriangleCount(thigh[0]);
    const int added = TriangleCount(thigh[1]) - guessedThigh;
    EXPECT_GE(added, 0);
    EXPECT_LE(added, 3);
    // Each step says what it did and what the bone holds now; a second add or remove of the
    // same triangles changes nothing and says so.
    const std::vector<std::string> expected = {
        "status: Added " + std::to_string(added) + (added == 1 ? " triangle" : " triangles") +
            " to 'left thigh' (now " + std::to_string(guessedThigh + added) + ").",
        "status: Added 0 triangles to 'left thigh' (now " + std::to_string(guessedThigh + added) +
            ").",
        "status: Removed 2 triangles from 'left thigh' (now " +
            std::to_string(guessedThigh + added - 2) + ").",
        "status: Removed 0 triangles from 'left thigh' (now " +
            std::to_string(guessedThigh + added - 2) + ").",
    };
    for (const std::string& line : expected) {
        EXPECT_TRUE(Printed(line)) << line;
    }
    EXPECT_EQ(TriangleCount(thigh[2]), guessedThigh + added - 2);
    EXPECT_TRUE(Printed("status: Bindings loaded from '" + bindings + "'."));
}

}  // namespace
