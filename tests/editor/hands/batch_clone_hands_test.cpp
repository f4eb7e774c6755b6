#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "editor/shell/batch_runner.h"
#include "tests/support/batch_script_run.h"
#include "tests/support/scratch_directory.h"

using namespace ::editor::shell;

namespace {

const std::string SYDNEY = "/usr/share/assimp/models/MD2/sydney.md2";
const std::string FAERIE = "/usr/share/assimp/models/MD2/faerie.md2";

// Sydney's hands and forearms, found by their distance from the tip of each hand.
const std::vector<int> LEFT_HAND = {649, 650, 651, 652, 654, 655, 657, 658, 659, 660,
                                    661, 662, 664, 665, 668, 669, 670, 671, 673, 674};
const std::vector<int> LEFT_FOREARM = {629, 633, 637, 641, 645, 653, 656, 663,
                                       666, 667, 672, 675, 676, 677, 678};
const std::vector<int> RIGHT_HAND = {544, 546, 549, 550, 551, 552, 553, 554, 555, 556, 557, 559,
                                     560, 561, 562, 563, 564, 565, 566, 567, 568, 569, 570};
const std::vector<int> RIGHT_FOREARM = {524, 528, 532, 536, 540, 545, 547, 548, 558, 571, 572, 573};

class BatchCloneHands : public ::testing::Test {
  protected:
    // Keeps the lines of every run, in order.
    int Run(const std::string& script) {
        const int result = run_.Run(script, scratch_.File("mn.log"), "clone.txt");
        lines_.insert(lines_.end(), run_.lines.begin(), run_.lines.end());
        errors_ = run_.errors;
        return result;
    }
    bool Printed(const std::string& line) const {
        return std::find(lines_.begin(), lines_.end(), line) != lines_.end();
    }
    BatchScriptRun run_;
    // Open and save dialogs answered with a file of the scratch directory.
    std::string Answer(const std::string& name) { return "answer file " + File(name) + "\n"; }
    std::string File(const std::string& name) { return scratch_.File(name); }

    static std::string Bind(const std::vector<int>& faces, const std::string& bone) {
        std::string lines;
        for (int face : faces) {
            lines += "pick " + std::to_string(face) + "\n";
        }
        return lines + "select " + bone + "\nrun Bind to Bone\nrun Group/New\n";
    }
    // "v " and "f " lines of an OBJ file.
    static std::pair<int, int> ObjCounts(const std::string& path) {
        std::ifstream in(path);
        int vertices = 0, faces = 0;
        for (std::string line; std::getline(in, line);) {
            vertices += line.rfind("v ", 0) == 0;
            faces += line.rfind("f ", 0) == 0;
        }
        return {vertices, faces};
    }
    static std::vector<char> Bytes(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::vector<char>(std::istreambuf_iterator<char>(in), {});
    }

    ScratchDirectory scratch_{"batch-clone-hands"};
    std::vector<std::string> lines_;
    std::string errors_;
};

TEST_F(BatchCloneHands, SydneyGetsClosedHandsAndAPropKeepsItsPlace) {
    if (!std::filesystem::exists(SYDNEY) || !std::filesystem::exists(FAERIE)) {
        GTEST_SKIP() << "the MD2 models of assimp-testmodels are not installed";
    }
    const std::string script =
        "answer file " + SYDNEY +
        "\nanswer text stand1\nanswer no\nanswer ok\nanswer ok\nanswer ok\nanswer ok\n"
        "run Open\n" +
        Answer("before.obj") + "run Save As\n" + Bind(LEFT_HAND, "left hand open") +
        Bind(LEFT_FOREARM, "left lower arm") + Bind(RIGHT_HAND, "right hand open") +
        Bind(RIGHT_FOREARM, "right lower arm") +
        "run Clone Hands\n"
        "show bone left hand closed\n"
        "show bone right hand closed\n"
        "show groups\n" +
        Answer("hands.bnd") + "run Save Bindings\n" + Answer("after.obj") + "run Save As\n" +
        "answer file " + FAERIE +
        "\nanswer text stand01\nanswer no\n"
        "run Open Prop\n"
        "select prop\n"
        "run Rotate Y\n"
        "run Rotate X\n" +
        Answer("prop.ori") + "run Save Orientation\nrun Rotate Z\n" + Answer("prop.ori") +
        "run Load Orientation\n" + Answer("again.ori") + "run Save Orientation\n";
    ASSERT_EQ(Run(script), 0) << errors_;

    EXPECT_TRUE(Printed("bone left hand closed: 20 triangles: 679-698"));
    EXPECT_TRUE(Printed("bone right hand closed: 23 triangles: 699-721"));
    EXPECT_TRUE(Printed("group LHC: 20 triangles: 679-698"));
    EXPECT_TRUE(Printed("group RHC: 23 triangles: 699-721"));
    EXPECT_EQ(std::filesystem::file_size(File("hands.bnd")), 10212u);
    const auto [verticesBefore, facesBefore] = ObjCounts(File("before.obj"));
    const auto [verticesAfter, facesAfter] = ObjCounts(File("after.obj"));
    EXPECT_EQ(facesBefore, 679);
    EXPECT_EQ(facesAfter, 679 + 20 + 23);
    // The corners of each hand that its forearm does not use: 7 on the left, 8 on the right.
    EXPECT_EQ(verticesAfter, verticesBefore + 7 + 8);

    EXPECT_EQ(Bytes(File("prop.ori")).size(), 48u);
    EXPECT_EQ(Bytes(File("again.ori")), Bytes(File("prop.ori")));
}

}  // namespace
