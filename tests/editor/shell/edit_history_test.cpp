// Undo and redo on the sample character: every change is one step that gives back the saved
// files byte for byte, and nothing else is a step.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "bytes/whole_file.h"
#include "editor/history/history.h"
#include "editor/model/model_document.h"
#include "editor/model/triangle_group_table.h"
#include "editor/shell/command_ids.h"
#include "editor/shell/document_snapshot.h"
#include "editor/shell/edit_history.h"
#include "scene/input/input_message.h"
#include "scene/shape.h"
#include "scene/view.h"
#include "scene/viewport.h"
#include "tests/editor/shell/shell_test_support.h"
#include "tests/support/batch_script_run.h"

using namespace ::editor::history;
using namespace ::editor::model;
using namespace ::editor::shell;

namespace {

const std::string SYDNEY = std::string(MARIONET_SOURCE_DIR) + "/samples/sydney/";
using Button = ScriptedAnswer::Button;
// Each saved file's bytes by its kind.
using SavedFiles = std::map<std::string, std::vector<uint8_t>>;

class EditHistoryTest : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(fixture.Start());
        Queue({ScriptedAnswer::File(SYDNEY + "sydney.md2"), ScriptedAnswer::Text("stand1"),
               ScriptedAnswer::Press(Button::No)});
        ASSERT_TRUE(Frame().RunCommand(ID_FILE_OPEN));
        ASSERT_TRUE(Frame().RunCommand(ID_MODEL_FIT_TO_SKELETON));
        Queue({ScriptedAnswer::File(SYDNEY + "sydney.spz")});
        ASSERT_TRUE(Frame().RunCommand(ID_FILE_LOAD_POSE));
        Queue({ScriptedAnswer::File(SYDNEY + "sydney.bnz")});
        ASSERT_TRUE(Frame().RunCommand(ID_FILE_LOAD_BONES));
    }

    void Queue(const std::vector<ScriptedAnswer>& answers) {
        for (const ScriptedAnswer& answer : answers) {
            fixture.ui.Queue(answer);
        }
    }

    // What Save, Save Bindings, Save Pose and Save Bones write now.
    SavedFiles Saved() {
        SavedFiles files;
        const std::pair<int, std::vector<ScriptedAnswer>> saves[] = {
            {ID_FILE_SAVE_AS, {ScriptedAnswer::File(Path("model.obj"))}},
            {ID_FILE_SAVE_BINDINGS, {ScriptedAnswer::File(Path("model.bnd"))}},
            {ID_FILE_SAVE_POSE,
             {ScriptedAnswer::Text("pose"), ScriptedAnswer::File(Path("model.spz"))}},
            {ID_FILE_SAVE_BONES, {ScriptedAnswer::File(Path("model.bnz"))}},
        };
        for (const auto& [id, answers] : saves) {
            std::filesystem::remove(answers.back().text);
            Queue(answers);
            EXPECT_TRUE(Frame().RunCommand(id));
            const std::string path = answers.back().text;
            files[path] = ReadWholeFileOrEmpty(path);
        }
        return files;
    }

    static std::vector<uint8_t> ReadWholeFileOrEmpty(const std::string& path) {
        std::vector<uint8_t> bytes;
        EXPECT_TRUE(::bytes::ReadWholeFile(path, bytes)) << path;
        return bytes;
    }

    std::string Path(const std::string& name) { return fixture.directory.File(name); }
    Snapshot Now() { return TakeDocumentSnapshot(Document()); }
    CMainFrame& Frame() { return *fixture.frame; }
    ModelDocument& Document() { return Frame().Document(); }
    EditHistory& History() { return Frame().History(); }
    std::string UndoText() { return *Frame().Commands().MenuText(ID_EDIT_UNDO); }
    std::string RedoText() { return *Frame().Commands().MenuText(ID_EDIT_REDO); }

    FrameFixture fixture;
};

struct StepCase {
    const char* step;  // the name the menu shows
    int id;
    std::vector<ScriptedAnswer> answers;
    // Makes the command's preconditions (a selected bone, a temporary group) first.
    void (*prepare)(CMainFrame& frame) = nullptr;
};

void SelectModel(CMainFrame& frame) {
    frame.Selection().Select(frame.Document().model.Shape());
}

void SelectLeftThighWithTriangles(CMainFrame& frame) {
    ModelDocument& document = frame.Document();
    frame.Selection().Select(document.bones[1].Shape());
    TriangleSet& group = document.model.mesh.groupTable->temporaryGroup;
    for (int t = 0; t < 40; ++t) {
        group.SetBit(t);
    }
}

// Deleting the model empties the document as one step: Undo brings all of it back.
TEST_F(EditHistoryTest, ADeletedModelComesBack) {
    SelectModel(Frame());
    const Snapshot before = Now();
    ASSERT_TRUE(Frame().RunCommand(ID_EDIT_CUT));
    EXPECT_EQ(Document().model.Shape(), nullptr);
    EXPECT_EQ(UndoText(), "&Undo Cut");
    ASSERT_TRUE(Frame().RunCommand(ID_EDIT_UNDO));
    EXPECT_TRUE(SameState(Now(), before));
    ASSERT_NE(Document().model.Shape(), nullptr);
    ASSERT_TRUE(Frame().RunCommand(ID_EDIT_REDO));
    EXPECT_EQ(Document().model.Shape(), nullptr);
}

TEST_F(EditHistoryTest, EachCommandIsOneStepThatUndoAndRedoGiveBackByteForByte) {
    const std::string square = Path("square.obj");
    std::ofstream(square) << "v 0 0 0\nv 10 0 0\nv 10 10 0\nv 0 10 0\nf 1 2 3\nf 1 3 4\n";
    const StepCase cases[] = {
        {"Unbind All Bones", ID_SKELETON_UNBIND_ALL_BONES, {ScriptedAnswer::Press(Button::Yes)}},
        {"Load Bindings", ID_FILE_LOAD_BINDINGS, {ScriptedAnswer::File(SYDNEY + "sydney.bnd")}},
        {"Make Poseable", ID_MODEL_MAKE_POSEABLE, {ScriptedAnswer::Press(Button::Yes, true)}},
        {"Smooth Joints", ID_MODEL_SMOOTH_JOINTS, {}},
        {"Restore Defaults", ID_SKELETON_RESTORE_DEFAULTS, {}},
        {"Bind to Bone",
         ID_SKELETON_BIND_TO_BONE,
         {ScriptedAnswer::Press(Button::Yes)},
         SelectLeftThighWithTriangles},
        {"Mesh Nodes", ID_SKELETON_MESH_NODES, {ScriptedAnswer::Nodes({0, 1, 5, 6, 10, 11})}},
        {"Flip X", ID_MODEL_FLIP_X, {}},
        {"Reverse Normals", ID_GROUP_REVERSE_NORMALS, {}, SelectLeftThighWithTriangles},
        {"Group Save",
         ID_GROUP_SAVE,
         {ScriptedAnswer::Text("thigh")},
         SelectLeftThighWithTriangles},
        {"Open Prop", ID_FILE_OPEN_PROP, {ScriptedAnswer::File(square)}},
        // Not remapped: merged on the skins as they are.
        {"Merge Prop",
         ID_MODEL_MERGE_PROP,
         {ScriptedAnswer::Press(Button::Cancel), ScriptedAnswer::Press(Button::Ok),
          ScriptedAnswer::Press(Button::Ok), ScriptedAnswer::Press(Button::Ok)}},
    };
    Queue({ScriptedAnswer::File(SYDNEY + "sydney.bnd")});
    ASSERT_TRUE(Frame().RunCommand(ID_FILE_LOAD_BINDINGS));
    for (const StepCase& c : cases) {
        SCOPED_TRACE(c.step);
        if (c.prepare != nullptr) {
            c.prepare(Frame());
        }
        const SavedFiles filesBefore = Saved();
        const Snapshot before = Now();
        const std::size_t steps = History().Steps().StepCount();
        Queue(c.answers);
        ASSERT_TRUE(Frame().RunCommand(c.id));
        const std::vector<std::string>& said = fixture.ui.Transcript();
        const std::string last = said.empty() ? std::string() : said.back();
        const SavedFiles filesAfter = Saved();
        const Snapshot after = Now();
        ASSERT_FALSE(SameState(before, after)) << "the command changed nothing: " << last;
        EXPECT_EQ(History().Steps().StepCount(), steps + 1);
        EXPECT_EQ(UndoText(), std::string("&Undo ") + c.step);

        ASSERT_TRUE(Frame().RunCommand(ID_EDIT_UNDO));
        EXPECT_TRUE(SameState(Now(), before));
        EXPECT_EQ(Saved(), filesBefore);
        EXPECT_EQ(RedoText(), std::string("&Redo ") + c.step);

        ASSERT_TRUE(Frame().RunCommand(ID_EDIT_REDO));
        EXPECT_TRUE(SameState(Now(), after));
        EXPECT_EQ(Saved(), filesAfter);
        EXPECT_FALSE(Frame().Commands().IsEnabled(ID_EDIT_REDO));
        EXPECT_EQ(RedoText(), "&Redo");
    }
}

TEST_F(EditHistoryTest, ADragIsOneStepAndSelectingFailingOrCancellingIsNone) {
    const std::size_t steps = History().Steps().StepCount();
    // Selecting, a camera move, a cancelled dialog and a command that refuses.
    Frame().Selection().Select(Document().joints[10].Shape());
    ASSERT_TRUE(Frame().RunCommand(ID_CAMERA_LEFT));
    ASSERT_TRUE(Frame().RunCommand(ID_FILE_LOAD_POSE));  // nothing queued: cancelled
    Frame().Selection().Select(nullptr);
    ASSERT_TRUE(Frame().RunCommand(ID_SKELETON_BIND_TO_BONE));  // no bone: refused
    EXPECT_EQ(History().Steps().StepCount(), steps);

    // A joint dragged across the view: press, many moves, release.
    ASSERT_TRUE(Frame().RunCommand(ID_CAMERA_FRONT));
    const Snapshot before = Now();
    const Vector joint = Document().joints[10].Shape()->LocalToWorld(Vector(0, 0, 0));
    const C3dVector4 seen = Frame().View().GetViewport()->Transform(joint);
    const int x = static_cast<int>(std::lround(seen.x / seen.w));
    const int y = static_cast<int>(std::lround(seen.y / seen.w));
    ASSERT_TRUE(Frame().PressView(x, y));
    for (int step = 1; step <= 10; ++step) {
        Frame().DragView(x + 3 * step, y + 2 * step);
    }
    Frame().ReleaseView();
    EXPECT_EQ(History().Steps().StepCount(), steps + 1);
    EXPECT_EQ(UndoText(), "&Undo Move Joint");
    ASSERT_FALSE(SameState(Now(), before));
    ASSERT_TRUE(Frame().RunCommand(ID_EDIT_UNDO));
    EXPECT_TRUE(SameState(Now(), before));

    // The keyboard held down over many idle steps, then let go: one step.
    Frame().Selection().Select(Document().joints[10].Shape());
    const Snapshot keysBefore = Now();
    for (int repeat = 0; repeat < 20; ++repeat) {
        Frame().View().RouteMessage(kMsgKeyDown, kKeyRight, 0);
        Frame().OnIdle();
    }
    Frame().View().RouteMessage(kMsgKeyUp, kKeyRight, 0);
    for (int idle = 0; idle < 3; ++idle) {
        Frame().OnIdle();
    }
    EXPECT_EQ(UndoText(), "&Undo Move Joint");
    EXPECT_FALSE(History().CanRedo());  // the drag undone before can no longer be redone
    ASSERT_TRUE(Frame().RunCommand(ID_EDIT_UNDO));
    EXPECT_TRUE(SameState(Now(), keysBefore));
    EXPECT_EQ(UndoText(), "&Undo Load Bones");

    // A click on the model selects it; the next one picks the face under it into the group.
    const MeshData& mesh = Document().model.mesh;
    int a = 0, b = 0, c = 0;
    ASSERT_TRUE(mesh.GetTriangle(300, a, b, c));
    const Vector centre((mesh.vertices[a].x + mesh.vertices[b].x + mesh.vertices[c].x) / 3,
                        (mesh.vertices[a].y + mesh.vertices[b].y + mesh.vertices[c].y) / 3,
                        (mesh.vertices[a].z + mesh.vertices[b].z + mesh.vertices[c].z) / 3);
    const C3dVector4 face =
        Frame().View().GetViewport()->Transform(Document().model.Shape()->LocalToWorld(centre));
    const int faceX = static_cast<int>(std::lround(face.x / face.w));
    const int faceY = static_cast<int>(std::lround(face.y / face.w));
    Frame().ClickView(faceX, faceY);
    ASSERT_EQ(Frame().Selection().Shape(), Document().model.Shape());
    Frame().ClickView(faceX, faceY);
    EXPECT_EQ(UndoText(), "&Undo Pick Face");
    EXPECT_EQ(Document().model.mesh.groupTable->temporaryGroup.Count(), 1);
    ASSERT_TRUE(Frame().RunCommand(ID_EDIT_UNDO));
    EXPECT_EQ(Document().model.mesh.groupTable->temporaryGroup.Count(), 0);
}

TEST(EditHistoryBatchTest, ScriptsUndoAndRedoByMenuPathAndSelectingIsNoStep) {
    TempDirectory directory;
    BatchScriptRun run;
    run.programDir = directory.Path().string() + "/";
    const std::string script =
        "answer file " + SYDNEY +
        "sydney.md2\nanswer text stand1\nanswer no\nrun Open\n"
        "answer file " +
        SYDNEY +
        "sydney.bnd\nrun Load Bindings\n"
        "pick 5\npick 9\nrun Edit/Undo\nshow temporary\n"
        "run Edit/Redo\nshow temporary\n"
        "run Bone Bindings\nselect left thigh\nrun Edit/Undo\nshow temporary\n"
        "run Edit/Undo\nrun Edit/Undo\nshow bone left thigh\n"
        "run Edit/Undo\n";
    EXPECT_EQ(run.Run(script, directory.File("mn.log")), 1) << run.errors;
    const std::vector<std::string> temporary = run.Starting("temporary: ");
    ASSERT_EQ(temporary.size(), 3u);
    EXPECT_EQ(temporary[0], "temporary: 1 triangles: 5");
    EXPECT_EQ(temporary[1], "temporary: 2 triangles: 5 9");
    // Selecting the thigh showed its triangles in the group without a step: the undo after it
    // took back the second pick.
    EXPECT_EQ(temporary[2], "temporary: 1 triangles: 5");
    EXPECT_TRUE(run.Printed("bone left thigh: 0 triangles:")) << testing::PrintToString(run.lines);
    // Back at the opened model nothing is left to undo.
    EXPECT_NE(run.errors.find("'Edit/Undo' (57643) is disabled"), std::string::npos) << run.errors;
}

TEST_F(EditHistoryTest, NewStartsAFreshHistoryAndTheSavedMarkFollowsUndo) {
    Saved();
    ASSERT_FALSE(Frame().HasUnsavedChanges());
    ASSERT_TRUE(History().CanUndo());  // fitting, pose and bones since the open
    ASSERT_TRUE(Frame().RunCommand(ID_MODEL_FLIP_X));
    EXPECT_TRUE(Frame().HasUnsavedChanges());
    ASSERT_TRUE(Frame().RunCommand(ID_EDIT_UNDO));
    EXPECT_FALSE(Frame().HasUnsavedChanges());
    ASSERT_TRUE(Frame().RunCommand(ID_EDIT_REDO));
    Saved();  // Save keeps the history
    EXPECT_FALSE(Frame().HasUnsavedChanges());
    EXPECT_EQ(UndoText(), "&Undo Flip X");
    ASSERT_TRUE(Frame().RunCommand(ID_EDIT_UNDO));
    EXPECT_TRUE(Frame().HasUnsavedChanges());

    // A file opened into the model merges into it: a step, not a fresh history.
    const int vertices = Document().model.mesh.vertexCount;
    const std::string square = Path("square.obj");
    std::ofstream(square) << "v 0 0 0\nv 10 0 0\nv 10 10 0\nv 0 10 0\nf 1 2 3\nf 1 3 4\n";
    // Not remapped: merged on the skins as they are.
    Queue({ScriptedAnswer::File(square), ScriptedAnswer::Press(Button::Cancel),
           ScriptedAnswer::Press(Button::Ok), ScriptedAnswer::Press(Button::Ok),
           ScriptedAnswer::Press(Button::Ok)});
    ASSERT_TRUE(Frame().RunCommand(ID_FILE_OPEN));
    ASSERT_GT(Document().model.mesh.vertexCount, vertices);
    EXPECT_EQ(UndoText(), "&Undo Open");
    ASSERT_TRUE(Frame().RunCommand(ID_EDIT_UNDO));
    EXPECT_EQ(Document().model.mesh.vertexCount, vertices);

    ASSERT_TRUE(Frame().RunCommand(ID_FILE_NEW));
    EXPECT_FALSE(Frame().Commands().IsEnabled(ID_EDIT_UNDO));
    EXPECT_FALSE(Frame().Commands().IsEnabled(ID_EDIT_REDO));
    EXPECT_EQ(UndoText(), "&Undo");
    EXPECT_EQ(History().Steps().StepCount(), 0u);
}

}  // namespace
