#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>

#include "editor/model/model_document.h"
#include "editor/shell/command_ids.h"
#include "editor/shell/main_frame.h"
#include "editor/shell/scripted_ui.h"
#include "scene/input/memory_settings_store.h"
#include "scene/scene.h"
#include "scene/shape.h"
#include "tests/support/scratch_directory.h"

using namespace ::editor::model;
using namespace ::editor::shell;
using namespace ::scene::input;
using namespace ::scene;

namespace {

namespace fs = std::filesystem;

const std::string DATA = PROPS_TEST_DATA;

class PropCommands : public ::testing::Test {
  protected:
    void SetUp() override {
        frame = std::make_unique<CMainFrame>(ui, settings, dir.string() + "/",
                                             (dir / "mn.log").string());
        frame->SetWriteSettingsOnClose(false);
        frame->PreCreate();
        ASSERT_TRUE(frame->Create());
    }
    void TearDown() override {
        frame->Close();
        frame.reset();
    }

    bool Saw(const std::string& line) const {
        const auto& lines = ui.Transcript();
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    }

    void OpenProp(const std::string& file) {
        ui.Queue(ScriptedAnswer::File(DATA + "/" + file));
        ASSERT_TRUE(frame->RunCommand(ID_FILE_OPEN_PROP));
        ASSERT_NE(frame->Document().prop.Shape(), nullptr);
    }

    ScratchDirectory scratch{"marionet-propcmd"};
    const fs::path dir = scratch.Path();
    ScriptedUi ui;
    MemorySettingsStore settings;
    std::unique_ptr<CMainFrame> frame;
};

TEST_F(PropCommands, HidingAndShowingThePropKeepsWhereTheUserPutIt) {
    OpenProp("blade.obj");
    MeshPart& prop = frame->Document().prop;
    prop.Shape()->SetPosition(Vector(12.0, -3.0, 4.0), frame->Scene());
    frame->Selection().Select(prop.Shape());
    EXPECT_TRUE(frame->Commands().IsChecked(ID_VIEW_PROP));

    ASSERT_TRUE(frame->RunCommand(ID_VIEW_PROP));
    EXPECT_EQ(prop.visible, 0u);
    EXPECT_FALSE(frame->Commands().IsChecked(ID_VIEW_PROP));
    EXPECT_EQ(prop.Shape()->GetParent(), frame->Scene());
    EXPECT_EQ(frame->Selection().Shape(), prop.Shape());  // the rebuilt shape is selected again
    const Vector at = prop.Shape()->GetPosition(frame->Scene());
    EXPECT_FLOAT_EQ(at.x, 12.0f);
    EXPECT_FLOAT_EQ(at.y, -3.0f);

    ASSERT_TRUE(frame->RunCommand(ID_VIEW_PROP));
    EXPECT_EQ(prop.visible, 1u);
    EXPECT_FLOAT_EQ(prop.Shape()->GetPosition(frame->Scene()).z, 4.0f);
}

TEST_F(PropCommands, OpeningIsRefusedInTheGeneratedModelView) {
    frame->Document().viewGenerated = 1;
    ui.Queue(ScriptedAnswer::File(DATA + "/blade.obj"));
    ASSERT_TRUE(frame->RunCommand(ID_FILE_OPEN));
    EXPECT_TRUE(
        Saw("message: Please exit the Generated Model view before opening a new model or "
            "prop."));
    EXPECT_EQ(frame->Document().model.Shape(), nullptr);
    EXPECT_EQ(frame->Document().prop.Shape(), nullptr);
}

TEST_F(PropCommands, ACancelledOpenSaysNothingAndAnUnreadableFileSaysSo) {
    ASSERT_TRUE(frame->RunCommand(ID_FILE_OPEN));
    EXPECT_FALSE(Saw("message: Unable to load mesh."));
    ui.Queue(ScriptedAnswer::File((dir / "missing.obj").string()));
    ASSERT_TRUE(frame->RunCommand(ID_FILE_OPEN));
    EXPECT_TRUE(Saw("message: Unable to load mesh."));
    EXPECT_EQ(frame->Document().mergedPropCount, 0);
}

}  // namespace
