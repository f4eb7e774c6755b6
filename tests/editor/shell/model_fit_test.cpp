#include "editor/shell/model_fit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <memory>
#include <sstream>

#include "editor/model/mesh_data.h"
#include "editor/model/model_document.h"
#include "editor/shell/batch_runner.h"
#include "editor/shell/command_ids.h"
#include "scene/scene.h"
#include "scene/shape.h"
#include "tests/editor/shell/shell_test_support.h"

using namespace ::editor::model;
using namespace ::editor::shell;
using namespace ::scene;

namespace {

struct Bounds {
    Vector min;
    Vector max;
};

Bounds BoundsOf(const MeshData& mesh) {
    Bounds b{mesh.vertices[0], mesh.vertices[0]};
    for (int i = 1; i < mesh.vertexCount; ++i) {
        const Vector& v = mesh.vertices[i];
        b.min = Vector(std::min(b.min.x, v.x), std::min(b.min.y, v.y), std::min(b.min.z, v.z));
        b.max = Vector(std::max(b.max.x, v.x), std::max(b.max.y, v.y), std::max(b.max.z, v.z));
    }
    return b;
}

// A box from (x0, y0, z0) to (x0 + w, y0 + d, z0 + h) as OBJ text, two triangles a side.
std::string BoxObj(double x0, double y0, double z0, double w, double d, double h) {
    std::string text;
    for (int corner = 0; corner < 8; ++corner) {
        text += "v " + std::to_string(x0 + ((corner & 1) ? w : 0)) + " " +
                std::to_string(y0 + ((corner & 2) ? d : 0)) + " " +
                std::to_string(z0 + ((corner & 4) ? h : 0)) + "\n";
    }
    text +=
        "f 1 3 4\nf 1 4 2\nf 5 6 8\nf 5 8 7\nf 1 2 6\nf 1 6 5\n"
        "f 3 7 8\nf 3 8 4\nf 1 5 7\nf 1 7 3\nf 2 4 8\nf 2 8 6\n";
    return text;
}

TEST(ModelFit, PercentagesAreNumbersAboveZero) {
    struct Case {
        const char* text;
        std::optional<double> factor;
    };
    for (const Case& c :
         {Case{"50", 0.5}, Case{" 250 % ", 2.5}, Case{"12.5", 0.125}, Case{"100000", 1000.0},
          Case{"0", std::nullopt}, Case{"-20", std::nullopt}, Case{"abc", std::nullopt},
          Case{"", std::nullopt}, Case{"50x", std::nullopt}, Case{"nan", std::nullopt},
          Case{"1e9", std::nullopt}}) {
        EXPECT_EQ(ParsePercentage(c.text), c.factor) << c.text;
    }
}

TEST(ModelFit, TheFittedMeshStandsInTheSkeleton) {
    auto mesh = std::make_unique<MeshData>();
    for (const Vector& v : {Vector(-3, 100, 40), Vector(5, 104, 40), Vector(1, 102, 240)}) {
        mesh->AddVertex(v);
    }
    const SkeletonStance stance{-40.0, 35.0, Vector(2.0, -1.0, 0.0)};
    const std::optional<UniformMove> move = FitToStance(*mesh, stance);
    ASSERT_TRUE(move.has_value());
    ApplyToMesh(*mesh, *move);
    const Bounds b = BoundsOf(*mesh);
    EXPECT_NEAR(b.min.z, -40.0, 1e-4);
    EXPECT_NEAR(b.max.z - b.min.z, 75.0, 1e-4);
    EXPECT_NEAR((b.min.x + b.max.x) / 2, 2.0, 1e-4);
    EXPECT_NEAR((b.min.y + b.max.y) / 2, -1.0, 1e-4);
    // Uniform: the width keeps its share of the height.
    EXPECT_NEAR((b.max.x - b.min.x) / (b.max.z - b.min.z), 8.0 / 200.0, 1e-5);

    auto flat = std::make_unique<MeshData>();
    flat->AddVertex(Vector(0, 0, 1));
    flat->AddVertex(Vector(4, 0, 1));
    EXPECT_FALSE(FitToStance(*flat, stance).has_value());
    EXPECT_FALSE(FitToStance(MeshData(), stance).has_value());
    EXPECT_FALSE(FitToStance(*mesh, SkeletonStance{10.0, 10.0, Vector(0, 0, 0)}).has_value());
}

class ModelFitCommands : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(fixture.Start());
        const std::string path = fixture.directory.File("box.obj");
        std::ofstream(path) << BoxObj(500, 300, 1000, 20, 10, 400);
        fixture.ui.Queue(ScriptedAnswer::File(path));
        ASSERT_TRUE(Frame().RunCommand(ID_FILE_OPEN));
        ASSERT_NE(Model().Shape(), nullptr);
    }
    CMainFrame& Frame() { return *fixture.frame; }
    MeshPart& Model() { return Frame().Document().model; }

    FrameFixture fixture;
};

TEST_F(ModelFitCommands, FitModelToSkeletonPutsTheFeetAtTheToes) {
    const std::optional<SkeletonStance> stance = StanceOf(Frame().Document());
    ASSERT_TRUE(stance.has_value());
    ASSERT_GT(stance->StandingHeight(), 50.0);
    ASSERT_TRUE(Frame().RunCommand(ID_MODEL_FIT_TO_SKELETON));
    const Bounds b = BoundsOf(Model().mesh);
    EXPECT_NEAR(b.min.z, stance->toeHeight, 1e-3);
    EXPECT_NEAR(b.max.z, stance->headHeight, 1e-3);
    EXPECT_NEAR((b.min.x + b.max.x) / 2, stance->hipAnchor.x, 1e-3);
    EXPECT_NEAR((b.min.y + b.max.y) / 2, stance->hipAnchor.y, 1e-3);
    EXPECT_NE(Frame().Scene(), nullptr);
    EXPECT_EQ(Model().Shape()->GetParent(), Frame().Scene());
    EXPECT_TRUE(Frame().HasUnsavedChanges());
    EXPECT_EQ(fixture.ui.Transcript().back().rfind("status: Model fitted to the skeleton", 0), 0u)
        << fixture.ui.Transcript().back();
}

TEST_F(ModelFitCommands, ScaleModelKeepsSceneMovesAndTheBase) {
    // The user moved the model in the scene: the move is kept.
    Model().Shape()->SetPosition(Vector(0, 0, 7), Frame().Scene());
    fixture.ui.Queue(ScriptedAnswer::Text("50"));
    ASSERT_TRUE(Frame().RunCommand(ID_MODEL_SCALE));
    const Bounds b = BoundsOf(Model().mesh);
    EXPECT_NEAR(b.min.z, 1007.0, 1e-3);
    EXPECT_NEAR(b.max.z - b.min.z, 200.0, 1e-3);
    EXPECT_NEAR((b.min.x + b.max.x) / 2, 510.0, 1e-3);
    EXPECT_TRUE(fixture.Saw("status: Model scaled to 50% of its size."));

    fixture.ui.Queue(ScriptedAnswer::Text("-3"));
    ASSERT_TRUE(Frame().RunCommand(ID_MODEL_SCALE));
    EXPECT_TRUE(fixture.Saw("message: '-3' is not a percentage above 0 (for example 50 or 250)."));
    EXPECT_NEAR(BoundsOf(Model().mesh).max.z - BoundsOf(Model().mesh).min.z, 200.0, 1e-3);
}

TEST(ModelFitWithoutModel, BothCommandsAskForAModelFirst) {
    FrameFixture fixture;
    ASSERT_TRUE(fixture.Start());
    ASSERT_TRUE(fixture.frame->RunCommand(ID_MODEL_FIT_TO_SKELETON));
    ASSERT_TRUE(fixture.frame->RunCommand(ID_MODEL_SCALE));
    EXPECT_EQ(std::count(fixture.ui.Transcript().begin(), fixture.ui.Transcript().end(),
                         "message: Please open a model first."),
              2);
}

}  // namespace

namespace {

TEST_F(ModelFitCommands, NewAsksToSaveChangesOnlyWhenAskingIsOnAndSomethingChanged) {
    Frame().SetAskToSaveChanges(true);
    ASSERT_FALSE(Frame().HasUnsavedChanges());
    EXPECT_EQ(Frame().Saved().FileName(), "box.obj");
    ASSERT_TRUE(Frame().RunCommand(ID_MODEL_FLIP_Z));
    ASSERT_TRUE(Frame().HasUnsavedChanges());
    const std::string question = "Save the changes to the model opened from 'box.obj'?";

    fixture.ui.Queue(ScriptedAnswer::Press(ScriptedAnswer::Button::Cancel));
    ASSERT_TRUE(Frame().RunCommand(ID_FILE_NEW));
    EXPECT_TRUE(fixture.Saw("question: " + question + " -> cancel"));
    EXPECT_NE(Model().Shape(), nullptr);  // Cancel stops

    fixture.ui.Queue(ScriptedAnswer::Press(ScriptedAnswer::Button::Yes));
    fixture.ui.Queue(ScriptedAnswer::File(fixture.directory.File("kept.obj")));
    ASSERT_TRUE(Frame().RunCommand(ID_FILE_NEW));
    EXPECT_TRUE(std::filesystem::exists(fixture.directory.File("kept.obj")));
    EXPECT_EQ(Model().Shape(), nullptr);  // saved, then emptied
    EXPECT_FALSE(Frame().HasUnsavedChanges());

    // Batch scripts (and so the frame by default) never ask.
    Frame().SetAskToSaveChanges(false);
    fixture.ui.ClearTranscript();
    fixture.ui.Queue(ScriptedAnswer::File(fixture.directory.File("kept.obj")));
    ASSERT_TRUE(Frame().RunCommand(ID_FILE_OPEN));
    ASSERT_TRUE(Frame().RunCommand(ID_MODEL_FLIP_Z));
    ASSERT_TRUE(Frame().RunCommand(ID_FILE_NEW));
    for (const std::string& line : fixture.ui.Transcript()) {
        EXPECT_EQ(line.find("Save the changes"), std::string::npos) << line;
    }
}

TEST(ModelFitBatch, ScriptsFitAndScaleTheModel) {
    TempDirectory directory;
    const std::string model = directory.File("box.obj");
    std::ofstream(model) << BoxObj(0, 0, 0, 10, 10, 10);
    std::istringstream script("answer file " + model +
                              "\nrun Open\nrun Fit Model to Skeleton\nanswer text 50\n"
                              "run Scale Model\nrun Zoom to Fit\n");
    std::ostringstream out;
    std::ostringstream err;
    BatchRunner runner(out, err);
    runner.SetLogPath(directory.File("mn.log"));
    ASSERT_EQ(runner.Run(script, "fit.txt"), 0) << err.str();
    EXPECT_NE(out.str().find("status: Model fitted to the skeleton: scaled to"), std::string::npos)
        << out.str();
    EXPECT_NE(out.str().find("question: Scale the model to what percentage of its size? -> 50"),
              std::string::npos);
    EXPECT_NE(out.str().find("status: Model scaled to 50% of its size."), std::string::npos);
}

}  // namespace
