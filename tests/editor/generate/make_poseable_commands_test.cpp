#include <gtest/gtest.h>

#include <array>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "editor/generate/body_parts.h"
#include "editor/generate/mesh_deformation.h"
#include "editor/groups/model_bindings.h"
#include "editor/model/triangle_group_table.h"
#include "editor/skeleton/pose_file.h"
#include "editor/skeleton/posing.h"
#include "editor/skeleton/skeleton_posing.h"
#include "tests/editor/generate/bound_meshes.h"
#include "tests/editor/groups/character_mesh.h"
#include "tests/editor/skeleton/frame_fixture.h"

using namespace ::editor::generate;
using namespace ::editor::groups;
using namespace ::editor::skeleton;

namespace {

constexpr int THIGH = 1;
constexpr int CALF = 2;

struct FailureCase {
    const char* name;
    std::vector<std::array<int, 3>> triangles;
    std::vector<std::pair<int, std::vector<int>>> bindings;
    bool withShape;
    std::string message;
    std::vector<int> highlighted;
};

const FailureCase FAILURES[] = {
    {"nothing bound", {{0, 1, 2}}, {}, true, NOTHING_BOUND_MESSAGE, {}},
    {"no mesh",
     {},
     {{THIGH, {0}}},
     false,
     "Generation failed - No mesh to generate parts from.",
     {}},
    {"bound twice",
     {{0, 1, 2}, {1, 3, 2}, {3, 4, 2}},
     {{THIGH, {0, 1}}, {CALF, {1, 2}}},
     true,
     "Generation failed - The highlighted triangles are assigned to more than one bone.",
     {1}},
    {"unbound",
     {{0, 1, 2}, {2, 3, 4}, {1, 3, 5}},
     {{THIGH, {0, 1}}},
     true,
     "Generation failed - The highlighted triangles are not assigned to any bone.",
     {2}},
    {"unowned vertex",
     {{0, 1, 2}, {1, 3, 2}, {4, 5, 6}},
     {{THIGH, {0}}, {CALF, {2}}},
     true,
     "Generation failed - The vertex common to the highlighted triangles is not assigned to any "
     "bone.",
     {1}},
};

class MakePoseableFailures : public FrameTest, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(MakePoseableFailures, SayWhyAndHighlightTheTriangles) {
    const FailureCase& c = GetParam();
    Start();
    auto mesh = std::make_unique<MeshData>();
    for (int v = 0; v < 7; ++v) {
        mesh->AddVertex(Vector(v, v % 3, 0));
    }
    for (const auto& t : c.triangles) {
        mesh->AddTriangle(t[0], t[1], t[2], 0, 0, 0);
    }
    BoundTriangles bound;
    for (const auto& [bone, triangles] : c.bindings) {
        for (int t : triangles) {
            bound[bone].SetBit(t);
        }
    }
    if (c.withShape) {
        InstallModel(Document(), *mesh, bound);
    } else {
        for (int b = 0; b < NUM_BONES; ++b) {
            Document().bones[b].boundTriangles = bound[b];
        }
    }
    EXPECT_FALSE(frame_->MakePoseable());
    EXPECT_EQ(LastLine(), "message: " + c.message);
    TriangleSet expected;
    for (int t : c.highlighted) {
        expected.SetBit(t);
    }
    EXPECT_TRUE(Document().model.mesh.groupTable->temporaryGroup.Equals(expected));
    EXPECT_EQ(Document().generatedModel.Shape(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(Commands, MakePoseableFailures, ::testing::ValuesIn(FAILURES),
                         [](const auto& info) {
                             std::string name = info.param.name;
                             for (char& ch : name) {
                                 ch = ch == ' ' ? '_' : ch;
                             }
                             return name;
                         });

class MakePoseable : public FrameTest {
  protected:
    void InstallCharacter() {
        auto mesh = std::make_unique<MeshData>();
        AddCharacterMesh(*mesh, SkeletonForGuess(Document()), 3);
        BoundTriangles bound;
        BindCharacterTubes(*mesh, bound);
        InstallModel(Document(), *mesh, bound);
    }
    std::vector<std::string> LogLines() const {
        std::ifstream in(File("mn.log"));
        std::vector<std::string> lines;
        for (std::string line; std::getline(in, line);) {
            lines.push_back(line);
        }
        return lines;
    }
};

TEST_F(MakePoseable, GeneratesViewsAndFollowsALoadedPose) {
    Start();
    InstallCharacter();
    ASSERT_TRUE(Run(ID_VIEW_GENERATED_MODEL));
    EXPECT_EQ(LastLine(), std::string("message: ") + NOTHING_GENERATED_MESSAGE);
    EXPECT_EQ(Document().viewGenerated, 0u);

    ASSERT_TRUE(Run(ID_MODEL_MAKE_POSEABLE));
    EXPECT_EQ(LastLine(), "status: Generation compete.");
    const std::vector<std::string> log = LogLines();
    int seamLines = 0;
    for (const std::string& line : log) {
        seamLines += line.rfind("Checking edges common to '", 0) == 0 ? 1 : 0;
    }
    EXPECT_EQ(seamLines, NUM_BONES * (NUM_BONES - 1));
    EXPECT_NE(std::find(log.begin(), log.end(), "Generating body parts - please be patient..."),
              log.end());
    EXPECT_NE(
        std::find(log.begin(), log.end(), "Part generation completed (View Generated Model)."),
        log.end());

    ASSERT_NE(Document().generatedModel.Shape(), nullptr);
    ASSERT_TRUE(Run(ID_VIEW_GENERATED_MODEL));
    EXPECT_TRUE(frame_->Commands().IsChecked(ID_VIEW_GENERATED_MODEL));
    EXPECT_EQ(Document().generatedModel.visible, 1u);
    EXPECT_EQ(Document().model.visible, 0u);

    // A pose with the left hip turned, loaded from a file: the thigh's vertices follow.
    PoseRecord turned;
    frame_->Posing().Capture(turned);
    turned.angles[THIGH].angleY += 0.5;
    SetPoseName(turned, "turned");
    const std::vector<uint8_t> bytes = SerializePoseFile({turned});
    std::ofstream(File("turned.spz"), std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    const int thighVertex = 29 * THIGH;
    const Vector before = Document().generatedModel.mesh.vertices[thighVertex];
    ui_.Queue(ScriptedAnswer::File(File("turned.spz")));
    ui_.Queue(ScriptedAnswer::Text("turned"));
    ASSERT_TRUE(Run(ID_FILE_LOAD_POSE));
    const Vector after = Document().generatedModel.mesh.vertices[thighVertex];
    EXPECT_GT(Vector::Subtract(after, before).Length(), 0.5);
    EXPECT_EQ(Document().generatedModel.visible, 1u);

    ASSERT_TRUE(Run(ID_VIEW_GENERATED_MODEL));
    EXPECT_EQ(Document().generatedModel.visible, 0u);
    EXPECT_EQ(Document().model.visible, 1u);
}

TEST_F(MakePoseable, ASelectedGeneratedModelStaysSelectedAcrossPoses) {
    Start();
    InstallCharacter();
    ASSERT_TRUE(frame_->MakePoseable());
    frame_->Selection().Select(Document().generatedModel.Shape());
    ASSERT_TRUE(Run(ID_SKELETON_RESTORE_DEFAULTS));
    ASSERT_NE(Document().generatedModel.Shape(), nullptr);
    EXPECT_EQ(frame_->Selection().Shape(), Document().generatedModel.Shape());
}

TEST_F(MakePoseable, RegeneratingAsksBeforeOverwritingEachBone) {
    Start();
    InstallCharacter();
    ASSERT_TRUE(frame_->MakePoseable());
    ui_.ClearTranscript();
    ui_.Queue(ScriptedAnswer::Press(ScriptedAnswer::Button::No));
    ASSERT_TRUE(frame_->MakePoseable());
    EXPECT_TRUE(Saw("question: OK to overwrite 'left pelvis'? -> no"));
}

}  // namespace
