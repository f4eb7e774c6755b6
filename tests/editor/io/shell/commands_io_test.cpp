#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "editor/model/model_document.h"
#include "editor/shell/command_ids.h"
#include "editor/shell/main_frame.h"
#include "editor/shell/scripted_ui.h"
#include "scene/input/memory_settings_store.h"
#include "scene/shape.h"
#include "tests/support/scratch_directory.h"

using namespace ::editor::model;
using namespace ::editor::shell;
using namespace ::scene::input;
using namespace ::scene;

namespace {

class SaveCommandTest : public ::testing::Test {
  protected:
    void SetUp() override {
        frame = std::make_unique<CMainFrame>(ui, settings, scratch.Path().string() + "/",
                                             scratch.File("mn.log"));
        frame->SetWriteSettingsOnClose(false);
        frame->PreCreate();
        ASSERT_TRUE(frame->Create());
    }
    void TearDown() override {
        frame->Close();
        frame.reset();
    }
    void GiveTheModelATriangle() {
        MeshData& mesh = frame->Document().model.mesh;
        mesh.AddVertex(Vector(0, 0, 0));
        mesh.AddVertex(Vector(1, 0, 0));
        mesh.AddVertex(Vector(0, 1, 0));
        mesh.texVertices[0] = {128, 64, 0};
        mesh.texVertexCount = 1;
        mesh.AddTriangle(0, 1, 2, 0, 0, 0);
        ASSERT_TRUE(frame->Document().model.RebuildShape());
    }
    bool Saw(const std::string& line) const {
        const auto& lines = ui.Transcript();
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    }
    std::string File(const std::string& name) const { return scratch.File(name); }

    ScratchDirectory scratch{"marionet-save"};
    ScriptedUi ui;
    MemorySettingsStore settings;
    std::unique_ptr<CMainFrame> frame;
};

TEST_F(SaveCommandTest, WithoutAModelSavingAsksForOneFirst) {
    EXPECT_TRUE(frame->RunCommand(ID_FILE_SAVE));
    EXPECT_TRUE(Saw("message: Please open a model first."));
}

TEST_F(SaveCommandTest, SaveAndSaveAsWriteTheModelAsObjAndReportIt) {
    GiveTheModelATriangle();
    for (int id : {ID_FILE_SAVE, ID_FILE_SAVE_AS}) {
        const std::string path = File(id == ID_FILE_SAVE ? "model.obj" : "other.obj");
        ui.Queue(ScriptedAnswer::File(path));
        EXPECT_TRUE(frame->RunCommand(id));
        EXPECT_TRUE(Saw("status: Saved model to '" + path + "'.\n")) << path;
        std::ifstream in(path);
        std::stringstream text;
        text << in.rdbuf();
        EXPECT_NE(text.str().find("f 3/1 2/1 1/1\n"), std::string::npos);
        EXPECT_EQ(frame->Document().model.Shape()->GetName(), "File object: " + path);
    }
}

TEST_F(SaveCommandTest, OtherTypesFailWithTheirMessageAndCancelSaysNothing) {
    GiveTheModelATriangle();
    ui.Queue(ScriptedAnswer::File(File("model.3ds")));
    frame->RunCommand(ID_FILE_SAVE_AS);
    EXPECT_TRUE(Saw("status: Save operation failed (only .OBJ supported - try File->Export).\n"));
    EXPECT_FALSE(std::filesystem::exists(File("model.3ds")));
    ui.ClearTranscript();
    frame->RunCommand(ID_FILE_SAVE);
    for (const std::string& line : ui.Transcript()) {
        EXPECT_EQ(line.find("status: Save"), std::string::npos) << line;
    }
}

}  // namespace
