#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/support/batch_script_run.h"
#include "tests/support/rigged_character.h"
#include "tests/support/scratch_directory.h"

namespace {

class BatchRigTakeover : public ::testing::Test {
  protected:
    int Run(const std::string& script) { return run_.Run(script, scratch_.File("mn.log")); }
    // Opening the figure: its boxes share texture space, so the merge keeps the maps as they are.
    std::string OpenFigure(const char* takeOver) {
        const std::string path = scratch_.File("figure.gltf");
        rigged_character::WriteGltf(path, false);
        return "answer file " + path + "\nanswer cancel\nanswer ok\nanswer ok\nanswer " + takeOver +
               "\nanswer yes all\nrun File/Open\n";
    }
    BatchScriptRun run_;
    ScratchDirectory scratch_{"batch-rig"};
};

// Yes places every body joint at the figure's own joints, binds each box to the bone its
// weights name and makes the model poseable.
TEST_F(BatchRigTakeover, ARiggedCharacterComesInFittedBoundAndPoseable) {
    ASSERT_EQ(Run(OpenFigure("yes") + "show bone left calf\nshow bone head\nshow joints\n"), 0)
        << run_.errors;
    EXPECT_TRUE(run_.Printed(
        "question: 'figure.gltf' has its own skeleton of 27 bones. Fit the player skeleton to it "
        "and bind the mesh from its weights? -> yes"));
    EXPECT_TRUE(run_.Printed("status: Part generation completed (View Generated Model)."));
    EXPECT_TRUE(run_.Printed(
        "status: Took over the skeleton of 'figure.gltf' (Mixamo names): 22 of 22 body joints "
        "placed at its joints, 312 of 312 triangles bound from its weights."));
    // The figure's joints, turned into the editor's axes: its left at +Y, its toes at -X.
    EXPECT_TRUE(run_.Printed("joint left knee: 0.00 10.00 52.00"));
    EXPECT_TRUE(run_.Printed("joint right toes: -12.00 -10.00 2.00"));
    EXPECT_TRUE(run_.Printed("joint top of head: 0.00 0.00 178.00"));
    EXPECT_TRUE(run_.Printed("joint left fingertips: 0.00 78.00 144.00"));
    EXPECT_TRUE(run_.Printed("bone head: 10 triangles: 62-71"));
}

TEST_F(BatchRigTakeover, NoLeavesTheSkeletonAndBindingsAlone) {
    ASSERT_EQ(Run(OpenFigure("no") + "show bone head\n"), 0) << run_.errors;
    EXPECT_TRUE(run_.Printed("bone head: 0 triangles:"));
    EXPECT_TRUE(run_.Starting("status: Took over").empty());
}

// "Simplify Model..." asks for a count and keeps under it; a count out of range is refused.
TEST_F(BatchRigTakeover, SimplifyModelTakesTheModelDownToTheCountAsked) {
    const std::string human = "/usr/share/assimp/models/BLEND/HUMAN.blend";
    if (!std::filesystem::exists(human)) {
        GTEST_SKIP() << "assimp-testmodels is not installed";
    }
    ASSERT_EQ(Run("answer file " + human +
                  "\nanswer yes\nanswer no\nrun File/Open\nanswer text 600\nrun Simplify Model"
                  "\nanswer text 9000\nrun Simplify Model\n"),
              0)
        << run_.errors;
    EXPECT_TRUE(run_.Printed("status: Simplified 'HUMAN.blend' from 8560 to 2040 triangles."));
    const auto simplified = run_.Starting("status: Simplified the model from 2040 to ");
    ASSERT_EQ(simplified.size(), 1u);
    const int after = std::stoi(
        simplified[0].substr(std::string("status: Simplified the model from 2040 to ").size()));
    EXPECT_LE(after, 600);
    EXPECT_GT(after, 500);
    EXPECT_TRUE(run_.Printed("message: The number of triangles must be a whole number from 4 to " +
                             std::to_string(after - 1) + "."));
}

}  // namespace
