// Faults a new user met in the window, reproduced through the frame with scripted answers.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <vector>

#include "editor/model/model_document.h"
#include "editor/shell/command_ids.h"
#include "scene/scene.h"
#include "scene/shape.h"
#include "tests/editor/shell/shell_test_support.h"

using namespace ::editor::model;
using namespace ::editor::shell;
using namespace ::scene;

namespace {

// A textured square of two triangles; its texture covers the skin from texel 0 to 256 x past
// each way, reaching past the skin's edge when past is 1 or more.
std::string SquareObj(double past = 0.5) {
    std::ostringstream text;
    text << "v 0 0 0\nv 10 0 0\nv 10 10 0\nv 0 10 0\n"
         << "vt 0 0\nvt " << past << " 0\nvt " << past << " " << past << "\nvt 0 " << past << "\n"
         << "f 1/1 2/2 3/3\nf 1/1 3/3 4/4\n";
    return text.str();
}

class WindowFaults : public testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(fixture.Start()); }

    std::string Write(const std::string& name, const std::string& text) {
        const std::string path = fixture.directory.File(name);
        std::ofstream(path) << text;
        return path;
    }

    void Open(const std::string& path) {
        fixture.ui.Queue(ScriptedAnswer::File(path));
        ASSERT_TRUE(Frame().RunCommand(ID_FILE_OPEN));
    }

    bool InScene(const C3dShape* shape) {
        return shape != nullptr && shape->GetParent() == Frame().Scene();
    }

    CMainFrame& Frame() { return *fixture.frame; }
    ModelDocument& Document() { return Frame().Document(); }

    FrameFixture fixture;
};

TEST_F(WindowFaults, NewTakesTheOldModelOffTheScreenAndSaveHasNothingToWrite) {
    Open(Write("square.obj", SquareObj()));
    C3dShape* old = Document().model.Shape();
    ASSERT_TRUE(InScene(old)) << testing::PrintToString(fixture.ui.Transcript());

    ASSERT_TRUE(Frame().RunCommand(ID_FILE_NEW));
    EXPECT_EQ(Document().model.Shape(), nullptr);
    EXPECT_EQ(Document().prop.Shape(), nullptr);
    for (const C3dFrame* child : Frame().Scene()->GetChildren()) {
        const auto* shape = dynamic_cast<const C3dShape*>(child);
        EXPECT_TRUE(shape == nullptr || shape->GetName().rfind("File object: ", 0) != 0)
            << shape->GetName();
    }
    const std::string saved = fixture.directory.File("after_new.obj");
    fixture.ui.Queue(ScriptedAnswer::File(saved));
    ASSERT_TRUE(Frame().RunCommand(ID_FILE_SAVE_AS));
    EXPECT_TRUE(fixture.Saw("message: Please open a model first."));
    EXPECT_FALSE(std::filesystem::exists(saved));
}

// What the user sees of the opened files: every file shape in the scene and whether it is drawn
// solid.
std::vector<bool> FileShapesDrawnSolid(const C3dScene& scene) {
    std::vector<bool> solid;
    for (const C3dFrame* child : scene.GetChildren()) {
        const auto* shape = dynamic_cast<const C3dShape*>(child);
        if (shape != nullptr && shape->GetName().rfind("File object: ", 0) == 0) {
            solid.push_back(shape->GetQuality() == C3D_QUALITY_SOLID);
        }
    }
    return solid;
}

TEST_F(WindowFaults, AfterACancelledMergeWhatIsDrawnFollowsTheSolidFlag) {
    Open(Write("first.obj", SquareObj()));
    // The second file's skin overlaps the first's: refuse the remap and the plain merge.
    fixture.ui.Queue(ScriptedAnswer::File(Write("second.obj", SquareObj())));
    fixture.ui.Queue(ScriptedAnswer::Press(ScriptedAnswer::Button::Cancel));
    fixture.ui.Queue(ScriptedAnswer::Press(ScriptedAnswer::Button::Cancel));
    ASSERT_TRUE(Frame().RunCommand(ID_FILE_OPEN));
    ASSERT_TRUE(fixture.Saw("status: Prop merge aborted"));
    for (int toggle = 0; toggle < 3; ++toggle) {
        const bool solid = Document().model.solid != 0;
        EXPECT_EQ(Frame().Commands().IsChecked(ID_MODEL_SOLID), solid);
        for (bool drawnSolid : FileShapesDrawnSolid(*Frame().Scene())) {
            EXPECT_EQ(drawnSolid, solid) << "toggle " << toggle;
        }
        ASSERT_TRUE(Frame().RunCommand(ID_MODEL_SOLID));
    }
}

TEST_F(WindowFaults, AnEmptyModelReportsNoSkinOfItsOwnWhenAPropReachesPastTheSkin) {
    fixture.ui.Queue(ScriptedAnswer::File(Write("wide.obj", SquareObj(1.0))));
    fixture.ui.Queue(ScriptedAnswer::Press(ScriptedAnswer::Button::Ok));  // remap
    fixture.ui.Queue(ScriptedAnswer::Press(ScriptedAnswer::Button::Ok));  // the prop's note
    ASSERT_TRUE(Frame().RunCommand(ID_FILE_OPEN));
    bool propNote = false;
    for (const std::string& line : fixture.ui.Transcript()) {
        EXPECT_EQ(line.find("Model skin was"), std::string::npos) << line;
        propNote = propNote || line.find("NOTE: Prop skin was") != std::string::npos;
    }
    EXPECT_TRUE(propNote) << testing::PrintToString(fixture.ui.Transcript());
}

TEST_F(WindowFaults, AFileThatCannotBeLoadedSaysWhyInTheStatusLineAndTheLog) {
    std::string many;
    for (int i = 0; i < 2117; ++i) {
        many += "v " + std::to_string(i) + " 0 0\n";
    }
    const std::string missing = SquareObj() + "f 1 2 99\n";  // line 11 of the file
    struct Case {
        std::string name;
        std::string text;
        std::string reason;
    };
    for (const Case& c :
         {Case{"many.obj", many + "f 1 2 3\n", "2117 vertices, more than 2048"},
          Case{"missing.obj", missing, "line 11: a face names vertex 99, but there are 4"},
          Case{"nothing.3ds", "not a 3ds file", "Not a 3DS file a mesh can take"}}) {
        const std::string path = Write(c.name, c.text);
        fixture.ui.Queue(ScriptedAnswer::File(path));
        ASSERT_TRUE(Frame().RunCommand(ID_FILE_OPEN));
        const std::string status = "Unable to load '" + path + "': " + c.reason + ".";
        EXPECT_TRUE(fixture.Saw("message: Unable to load mesh.")) << c.name;
        EXPECT_EQ(fixture.ui.Transcript().back(), "status: " + status) << c.name;
        const std::vector<std::string> log = ReadLines(fixture.LogPath());
        EXPECT_NE(std::find(log.begin(), log.end(), status), log.end()) << c.name;
    }
}

TEST_F(WindowFaults, ACancelledOpenEndsWithReadyNotLoading) {
    ASSERT_TRUE(Frame().RunCommand(ID_FILE_OPEN));  // no file answer: the dialog is cancelled
    EXPECT_EQ(fixture.ui.Transcript().back(), "status: Ready.");
    EXPECT_FALSE(fixture.Saw("message: Unable to load mesh."));
}

TEST_F(WindowFaults, OpeningWhileTheGeneratedModelIsShownRefusesBeforeAskingToSave) {
    Open(Write("square.obj", SquareObj()));
    ASSERT_TRUE(Frame().RunCommand(ID_MODEL_FLIP_X));
    ASSERT_TRUE(Frame().HasUnsavedChanges());
    Frame().SetAskToSaveChanges(true);
    Document().viewGenerated = 1;
    fixture.ui.ClearTranscript();
    for (int command : {ID_FILE_OPEN, ID_FILE_MRU_FILE1}) {
        ASSERT_TRUE(Frame().RunCommand(command)) << command;
        EXPECT_EQ(fixture.ui.Transcript(),
                  (std::vector<std::string>{"message: Please exit the Generated Model view before "
                                            "opening a new model or prop."}))
            << command;
        fixture.ui.ClearTranscript();
    }
    Frame().SetAskToSaveChanges(false);
}

TEST_F(WindowFaults, NextAndPreviousBoneStepFromTheBoneEndingAtTheSelectedJoint) {
    // The knee (joint 2) ends the left thigh (bone 1).
    Frame().Selection().Select(Document().joints[2].Shape());
    ASSERT_TRUE(Frame().RunCommand(ID_SKELETON_NEXT_BONE));
    EXPECT_EQ(Frame().Selection().Shape(), Document().bones[2].Shape());
    Frame().Selection().Select(Document().joints[2].Shape());
    ASSERT_TRUE(Frame().RunCommand(ID_SKELETON_PREVIOUS_BONE));
    EXPECT_EQ(Frame().Selection().Shape(), Document().bones[0].Shape());
    EXPECT_FALSE(fixture.Saw("message: Please select a bone first."));
}

TEST_F(WindowFaults, WrapAddTrianglesRunsAndChangesNothing) {
    Open(Write("square.obj", SquareObj()));
    const bool changed = Frame().HasUnsavedChanges();
    EXPECT_TRUE(Frame().Commands().IsEnabled(ID_GROUP_WRAP_ADD));
    EXPECT_TRUE(Frame().RunCommand(ID_GROUP_WRAP_ADD));
    EXPECT_EQ(Frame().HasUnsavedChanges(), changed);
}

TEST_F(WindowFaults, TheOpenDialogsListAllModelFilesFirst) {
    for (int command : {ID_FILE_OPEN, ID_FILE_OPEN_PROP}) {
        ASSERT_TRUE(Frame().RunCommand(command));  // cancelled: no file answered
        ASSERT_FALSE(fixture.ui.FileRequests().empty());
        const std::string& filter = fixture.ui.FileRequests().back().filter;
        EXPECT_EQ(filter.rfind("All Model Files (*.obj;*.3ds;*.md2;*.fm;*.dxf;*.x;", 0), 0u)
            << filter;
    }
}

}  // namespace
