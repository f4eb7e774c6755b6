#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "editor/model/model_document.h"
#include "editor/props/prop_merge.h"
#include "editor/props/texture_coordinates.h"
#include "scene/scene.h"
#include "scene/shape.h"
#include "tests/editor/props/texture_mesh.h"
#include "tests/support/declining_prompts.h"

using namespace ::editor::model;
using namespace ::editor::props;
using namespace ::scene;

namespace {

// Answers OK/Cancel questions from a queue (OK when it runs dry) and records every text: the
// questions, the messages and the status line the merge ends with.
class RecordingHost : public DecliningPrompts {
  public:
    bool AskOkCancel(const std::string& text) override {
        questions.push_back(text);
        if (answers.empty()) {
            return true;
        }
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void ReportProgress(const std::string& step) override { status = step; }

    // Merges as the frame does, keeping what the merge says.
    bool Merge(ModelDocument& document) {
        const ModelSelection selection{.deselect = [this] { return modelSelected; },
                                       .reselect = [this] { ++reselections; }};
        const MergeOutcome outcome = MergeProp(document, *this, selection);
        messages.insert(messages.end(), outcome.messages.begin(), outcome.messages.end());
        if (!outcome.status.empty()) {
            status = outcome.status;
        }
        return outcome.done;
    }

    std::deque<bool> answers;
    std::vector<std::string> questions;
    std::vector<std::string> messages;
    std::string status;
    bool modelSelected = false;
    int reselections = 0;
};

const char* const OVERLAP_QUESTION =
    "The model and prop textures overlap. Do you want Marionet to try to remap them?";

class MergePropFlow : public ::testing::Test {
  protected:
    void SetUp() override {
        scene.Create();
        document->SetScene(&scene);
    }

    // Loads a prop with one textured rectangle and gives it a shape in the scene.
    void LoadProp(float u0, float v0, float u1, float v1) {
        MeshPart& prop = document->prop;
        prop.mesh.Clear();
        AddTexturedRect(prop.mesh, u0, v0, u1, v1);
        ASSERT_TRUE(prop.RebuildShape());
        prop.shape->SetName("File object: sword.obj");
        scene.AddChild(prop.shape.get());
    }

    C3dScene scene;
    std::unique_ptr<ModelDocument> document = std::make_unique<ModelDocument>();
    RecordingHost host;
};

TEST_F(MergePropFlow, WithoutAPropNothingHappens) {
    EXPECT_FALSE(host.Merge(*document));
    EXPECT_EQ(host.messages, std::vector<std::string>{"Please import a prop first."});
    EXPECT_EQ(host.status, "Prop merge aborted");
}

TEST_F(MergePropFlow, TheSeventeenthMergeIsRefusedAndChangesNothing) {
    LoadProp(0, 0, 10, 10);
    document->mergedPropCount = MAX_MERGED_PROPS;
    EXPECT_FALSE(host.Merge(*document));
    EXPECT_EQ(host.messages,
              std::vector<std::string>{"Merged prop limit exceeeded (16 props max)"});
    EXPECT_EQ(host.status, "Prop merge aborted");
    EXPECT_EQ(document->mergedPropCount, MAX_MERGED_PROPS);
    EXPECT_EQ(document->model.mesh.faceCount, 0);
    EXPECT_NE(document->prop.shape, nullptr);
}

TEST_F(MergePropFlow, FirstMergeMovesThePropIntoTheModel) {
    LoadProp(0, 0, 100, 100);
    host.modelSelected = true;
    ASSERT_TRUE(host.Merge(*document));
    EXPECT_TRUE(host.questions.empty());
    EXPECT_EQ(host.status, "Ready.");
    EXPECT_EQ(document->mergedPropCount, 1);
    EXPECT_EQ(document->model.mesh.faceCount, 2);
    EXPECT_EQ(document->prop.shape, nullptr);
    ASSERT_NE(document->model.shape, nullptr);
    EXPECT_EQ(document->model.shape->GetParent(), &scene);
    EXPECT_EQ(document->mergedProps[0].propRegion.meshName, "File object: sword.obj");
    EXPECT_TRUE(document->mergedProps[0].propRegion.IsIdentity());
    EXPECT_EQ(host.reselections, 1);
}

TEST_F(MergePropFlow, SideBySideSkinsAreMergedWithoutQuestions) {
    LoadProp(0, 0, 127, 255);
    ASSERT_TRUE(host.Merge(*document));
    LoadProp(128, 0, 255, 255);
    ASSERT_TRUE(host.Merge(*document));
    EXPECT_TRUE(host.questions.empty());
    EXPECT_EQ(document->mergedPropCount, 2);
    EXPECT_EQ(document->model.mesh.faceCount, 4);
}

TEST_F(MergePropFlow, OverlapIsRemappedAfterBothNotes) {
    LoadProp(0, 0, 255, 255);
    ASSERT_TRUE(host.Merge(*document));
    LoadProp(0, 0, 100, 50);
    ASSERT_TRUE(host.Merge(*document));
    ASSERT_EQ(host.questions.size(), 3u);
    EXPECT_EQ(host.questions[0], OVERLAP_QUESTION);
    EXPECT_EQ(
        host.questions[1].rfind("NOTE: Model skin was 255x255 at upper left (0,0); will be ", 0),
        0u);
    EXPECT_EQ(
        host.questions[2].rfind("NOTE: Prop skin was 100x50 at upper left (0,0); will be ", 0), 0u);
    const MergedProp& entry = document->mergedProps[1];
    EXPECT_LT(entry.modelRegion.scaleX, 1.0);
    // The prop's triangles now sit where the search put them.
    TexelPoint min, max;
    TextureBounds(document->prop.mesh, min, max);
    EXPECT_EQ(min.u, entry.propRegion.newX);
    EXPECT_EQ(min.v, entry.propRegion.newY);
    EXPECT_EQ(document->mergedPropCount, 2);
}

TEST_F(MergePropFlow, CancelledQuestionsAbortWithoutChanges) {
    LoadProp(0, 0, 255, 255);
    ASSERT_TRUE(host.Merge(*document));
    LoadProp(0, 0, 100, 50);
    const TexVertex before = document->prop.mesh.texVertices[1];
    host.answers = {false, false};
    EXPECT_FALSE(host.Merge(*document));
    EXPECT_EQ(host.questions.back(),
              "Do you want Marionet to merge the prop and model using their current texture "
              "maps?");
    EXPECT_EQ(host.messages.back(), "Unable to fix texture overlap. Merge aborted.");
    EXPECT_EQ(host.status, "Prop merge aborted");
    EXPECT_EQ(document->mergedPropCount, 1);
    EXPECT_EQ(document->model.mesh.faceCount, 2);
    EXPECT_EQ(document->prop.mesh.texVertices[1].u, before.u);

    // Keeping the current maps, then cancelling the prop's note, aborts too.
    host.answers = {false, true, true, false};
    EXPECT_FALSE(host.Merge(*document));
    EXPECT_EQ(host.messages.back(), "Unable to fix texture overlap. Merge aborted.");
    EXPECT_EQ(document->mergedPropCount, 1);
}

TEST_F(MergePropFlow, ATooLargeAppendKeepsTheCountAndSaysTheCoordinatesMoved) {
    LoadProp(0, 0, 255, 255);
    ASSERT_TRUE(host.Merge(*document));
    document->model.mesh.texVertexCount = MAX_MESH_ELEMENTS - 1;
    LoadProp(0, 0, 100, 50);
    EXPECT_FALSE(host.Merge(*document));
    ASSERT_EQ(host.messages.size(), 2u);
    EXPECT_EQ(host.messages[0], "Unable to merge prop - too many vertices or triangles.");
    EXPECT_EQ(host.messages[1],
              "NOTE: Prop and model texture coordinates have changed - please reload meshes!");
    EXPECT_EQ(host.status, "Prop merge aborted");
    EXPECT_EQ(document->mergedPropCount, 1);
    EXPECT_NE(document->prop.shape, nullptr);
}

TEST_F(MergePropFlow, ResetEmptiesTheListAndTheTexelMap) {
    LoadProp(0, 0, 10, 10);
    ASSERT_TRUE(host.Merge(*document));
    document->usedTexels.SetBit(77);
    ResetMergedProps(*document);
    EXPECT_EQ(document->mergedPropCount, 0);
    EXPECT_FALSE(document->usedTexels.Any());
    EXPECT_TRUE(document->mergedProps[0].propRegion.meshName.empty());
}

}  // namespace
