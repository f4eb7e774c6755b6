#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/model/fixed_bit_sets.h"
#include "editor/model/triangle_group_table.h"
#include "editor/skeleton/bone_stepping.h"
#include "editor/skeleton/skeleton_scene.h"
#include "scene/scene.h"
#include "tests/editor/skeleton/frame_fixture.h"

using namespace ::editor::model;
using namespace ::editor::skeleton;

namespace {

class GroupCommands : public FrameTest {
  protected:
    void SetUp() override { Start(); }

    TriangleGroupTable& Table() { return *Document().model.mesh.groupTable; }
    TriangleSet& Temporary() { return Table().temporaryGroup; }

    // Puts the mesh made by build into the scene as the editable model.
    template <class Build>
    void MakeModel(Build build) {
        MeshData& mesh = Document().model.mesh;
        mesh.Clear();
        build(mesh);
        Document().model.RebuildShape();
        frame_->Scene()->AddChild(Document().model.Shape());
    }

    // Two triangles sharing an edge (welded), and beside them two more that only touch through
    // copies of their shared corners.
    void MakeSeamModel() {
        MakeModel([](MeshData& mesh) {
            for (double x : {0.0, 20.0}) {
                const int a = mesh.AddVertex(Vector(x, 0, 0));
                const int b = mesh.AddVertex(Vector(x + 10, 0, 0));
                const int c = mesh.AddVertex(Vector(x + 10, 10, 0));
                const int d = mesh.AddVertex(Vector(x, 10, 0));
                if (x == 0.0) {
                    mesh.AddTriangle(a, b, c, 0, 0, 0);
                    mesh.AddTriangle(a, c, d, 0, 0, 0);
                } else {
                    mesh.AddTriangle(a, b, c, 0, 0, 0);
                    const int a2 = mesh.AddVertex(Vector(x, 0, 0));
                    const int c2 = mesh.AddVertex(Vector(x + 10, 10, 0));
                    mesh.AddTriangle(a2, c2, d, 0, 0, 0);
                }
            }
        });
    }

    void Pick(int face) {
        frame_->Selection().PickFace(Document().model.Shape(), face, Vector(0, 0, 0));
    }

    void FillGroups(int count) {
        for (int g = Table().GroupCount(); g < count; ++g) {
            Table().SaveGroup("g" + std::to_string(g), nullptr);
        }
    }

    std::vector<int> Bits(const TriangleSet& set) {
        std::vector<int> bits;
        set.ForEachSet([&bits](int t) { bits.push_back(t); });
        return bits;
    }

    void Answer(ScriptedAnswer answer) { ui_.Queue(std::move(answer)); }
    void AnswerText(const std::string& text) { Answer(ScriptedAnswer::Text(text)); }
};

TEST_F(GroupCommands, PickingTogglesTheFaceAndFloodFillStopsAtSeams) {
    MakeSeamModel();
    EXPECT_TRUE(Run(ID_GROUP_FLOOD_ADD));
    EXPECT_EQ(LastLine(), "message: Please select a face first.");

    Pick(2);
    EXPECT_EQ(Bits(Temporary()), (std::vector<int>{2}));
    EXPECT_EQ(LastLine().rfind("status: Selected: ", 0), 0u) << LastLine();
    Pick(2);
    EXPECT_TRUE(Bits(Temporary()).empty());

    Run(ID_GROUP_FLOOD_ADD);  // from face 2: its copy-joined neighbour is not connected
    EXPECT_EQ(Bits(Temporary()), (std::vector<int>{2}));
    Pick(0);
    Run(ID_GROUP_FLOOD_ADD);
    EXPECT_EQ(Bits(Temporary()), (std::vector<int>{0, 1, 2}));
    Run(ID_GROUP_FLOOD_SUBTRACT);
    EXPECT_EQ(Bits(Temporary()), (std::vector<int>{2}));
    // Selecting a bone afterwards does not lose the face picked on the model.
    frame_->Selection().Select(Document().bones[1].Shape());
    Run(ID_GROUP_FLOOD_ADD);
    EXPECT_EQ(Bits(Temporary()), (std::vector<int>{0, 1, 2}));
}

TEST_F(GroupCommands, SaveRenameAndDeleteWithTheirRefusals) {
    MakeSeamModel();
    Pick(1);
    AnswerText("arm");
    Run(ID_GROUP_SAVE);
    ASSERT_EQ(Table().FindGroup("arm"), 0);
    EXPECT_EQ(Bits(*Table().GroupSet(0)), (std::vector<int>{1}));

    // Overwriting asks; No keeps the old group.
    Pick(0);
    AnswerText("arm");
    Answer(ScriptedAnswer::Press(ScriptedAnswer::Button::No));
    Run(ID_GROUP_SAVE);
    EXPECT_TRUE(Saw("question: OK to overwrite 'arm'? -> no"));
    EXPECT_EQ(Bits(*Table().GroupSet(0)), (std::vector<int>{1}));

    EXPECT_TRUE(Run(ID_GROUP_DELETE));
    EXPECT_EQ(LastLine(), "message: There must always be at least one group!");

    Table().SaveGroup("leg", nullptr);
    AnswerText("leg");
    AnswerText("arm");
    Run(ID_GROUP_RENAME);
    EXPECT_EQ(LastLine(), "message: The name 'arm' is in use by another group!");
    EXPECT_EQ(Table().FindGroup("leg"), 1);
    AnswerText("leg");
    AnswerText("leg");  // its own name
    Run(ID_GROUP_RENAME);
    AnswerText("arm");
    AnswerText("");
    Run(ID_GROUP_RENAME);
    EXPECT_EQ(Table().FindGroup(""), 0);

    AnswerText("");
    Run(ID_GROUP_DELETE);
    EXPECT_EQ(Table().GroupCount(), 1);
    EXPECT_EQ(Table().GroupName(0), "leg");
}

TEST_F(GroupCommands, AddAndSubtractNamedGroups) {
    MakeSeamModel();
    TriangleSet arm;
    arm.SetRange(1, 2);
    Table().SaveGroup("arm", &arm);
    Pick(0);
    AnswerText("arm");
    Run(ID_GROUP_ADD);
    EXPECT_EQ(Bits(Temporary()), (std::vector<int>{0, 1, 2}));
    AnswerText("arm");
    Run(ID_GROUP_SUBTRACT);
    EXPECT_EQ(Bits(Temporary()), (std::vector<int>{0}));
}

// Split of a group with a triangle on each side of the plane and one lying in it, starting
// from groupsBefore groups: the names asked for and the groups made.
struct SplitCase {
    int groupsBefore;
    std::vector<std::string> namesAsked;
    bool refusedAtTheEnd;
};

TEST_F(GroupCommands, SplitNeedsThePlaneAndRoomForItsParts) {
    // The plane starts at the origin, its normal along +y.
    MakeModel([](MeshData& mesh) {
        for (double y : {5.0, -5.0, 0.0}) {
            const int a = mesh.AddVertex(Vector(0, y, 0));
            const int b = mesh.AddVertex(Vector(4, y == 0.0 ? 0.0 : y + 1, 0));
            const int c = mesh.AddVertex(Vector(0, y, 4));
            mesh.AddTriangle(a, b, c, 0, 0, 0);
        }
    });
    Temporary().SetRange(0, 3);
    Run(ID_GROUP_SPLIT);
    EXPECT_EQ(LastLine(),
              "message: Please position the dividing plane before trying to split a group.");
    Run(ID_VIEW_DIVIDING_PLANE);
    EXPECT_TRUE(frame_->Commands().IsChecked(ID_VIEW_DIVIDING_PLANE));

    const SplitCase cases[] = {
        {0, {"front", "back", "middle"}, false},
        {126, {"front", "back"}, true},
        {127, {}, true},
    };
    for (const SplitCase& test : cases) {
        SCOPED_TRACE(test.groupsBefore);
        Table().ClearGroups();
        FillGroups(test.groupsBefore);
        Temporary().SetRange(0, 3);
        ui_.ClearTranscript();
        for (const std::string& name : test.namesAsked) {
            AnswerText(name);
        }
        Run(ID_GROUP_SPLIT);
        EXPECT_EQ(ui_.PendingAnswers(), 0u);
        EXPECT_EQ(Table().GroupCount(),
                  test.groupsBefore + static_cast<int>(test.namesAsked.size()));
        if (test.refusedAtTheEnd) {
            EXPECT_EQ(LastLine(), "message: Too many groups!");
        }
        // Split empties the temporary group unless it was refused before it began.
        EXPECT_EQ(Temporary().Any(), test.groupsBefore >= 127);
    }
    Table().ClearGroups();
    Temporary().SetRange(0, 3);
    for (const char* name : {"front", "back", "middle"}) {
        AnswerText(name);
    }
    Run(ID_GROUP_SPLIT);
    EXPECT_EQ(Bits(*Table().GroupSet(Table().FindGroup("front"))), (std::vector<int>{0}));
    EXPECT_EQ(Bits(*Table().GroupSet(Table().FindGroup("back"))), (std::vector<int>{1}));
    EXPECT_EQ(Bits(*Table().GroupSet(Table().FindGroup("middle"))), (std::vector<int>{2}));
}

TEST_F(GroupCommands, SaveIsRefusedOnAFullTableEvenForAnExistingName) {
    MakeSeamModel();
    FillGroups(MAX_TRIANGLE_GROUPS);
    Pick(0);
    ui_.ClearTranscript();
    AnswerText("g5");
    Run(ID_GROUP_SAVE);
    EXPECT_EQ(ui_.Transcript(), (std::vector<std::string>{"message: Too many groups!"}));
    EXPECT_FALSE(Table().GroupSet(5)->Any());
}

TEST_F(GroupCommands, NearNeighboursAndNormals) {
    MakeSeamModel();
    Run(ID_GROUP_ADD_NEAR_NEIGHBORS);
    EXPECT_FALSE(Temporary().Any());
    EXPECT_EQ(LastLine(), "status: Ready.");
    Pick(2);
    Run(ID_GROUP_ADD_NEAR_NEIGHBORS);  // face 3 touches through copies of face 2's corners
    EXPECT_EQ(Bits(Temporary()), (std::vector<int>{2, 3}));

    int a, b, c;
    Document().model.mesh.GetTriangle(3, a, b, c);
    Run(ID_GROUP_REVERSE_NORMALS);
    int ra, rb, rc;
    Document().model.mesh.GetTriangle(3, ra, rb, rc);
    EXPECT_EQ((std::vector<int>{ra, rb, rc}), (std::vector<int>{c, b, a}));
    EXPECT_EQ(Bits(Temporary()), (std::vector<int>{2, 3}));
    EXPECT_EQ(LastLine(), "status: Ready.");
}

TEST_F(GroupCommands, FixNeighbourNormalsTurnsOnlyTheDisagreeingTriangle) {
    // A strip whose second triangle runs the shared edge 1-2 the same way as the first.
    MakeModel([](MeshData& mesh) {
        for (int i = 0; i < 5; ++i) {
            mesh.AddVertex(Vector(i * 10.0, (i % 2) * 10.0, 0));
        }
        mesh.AddTriangle(0, 1, 2, 0, 0, 0);
        mesh.AddTriangle(1, 2, 3, 0, 0, 0);
        mesh.AddTriangle(3, 2, 4, 0, 0, 0);
    });
    Run(ID_GROUP_FIX_NEIGHBOR_NORMALS);
    EXPECT_EQ(LastLine(), "message: Please select a face first.");
    Pick(0);
    Run(ID_GROUP_FIX_NEIGHBOR_NORMALS);
    int a, b, c;
    Document().model.mesh.GetTriangle(0, a, b, c);
    EXPECT_EQ((std::vector<int>{a, b, c}), (std::vector<int>{0, 1, 2}));
    Document().model.mesh.GetTriangle(1, a, b, c);
    EXPECT_EQ((std::vector<int>{a, b, c}), (std::vector<int>{3, 2, 1}));
    // The ring of the group is shown: every triangle with a corner of face 0.
    EXPECT_EQ(Bits(Temporary()), (std::vector<int>{0, 1, 2}));
}

TEST_F(GroupCommands, BindUnbindAndTheBindingsView) {
    MakeSeamModel();
    BonePart& thigh = Document().bones[1];
    Run(ID_SKELETON_BIND_TO_BONE);
    EXPECT_EQ(LastLine(), "message: Please select a bone first.");
    frame_->Selection().Select(thigh.Shape());
    Run(ID_SKELETON_BIND_TO_BONE);
    EXPECT_EQ(LastLine(), "message: Please activate a group of triangles first.");
    EXPECT_FALSE(thigh.boundTriangles.Any());

    Pick(0);
    frame_->Selection().Select(thigh.Shape());
    ui_.ClearTranscript();
    Run(ID_SKELETON_BIND_TO_BONE);  // just selected and still unbound: no question
    EXPECT_FALSE(Saw("unanswered: OK to overwrite 'left thigh'?"));
    EXPECT_EQ(Bits(thigh.boundTriangles), (std::vector<int>{0}));
    Pick(1);
    frame_->Selection().Select(thigh.Shape());
    Run(ID_SKELETON_BIND_TO_BONE);  // bound already: asked, and unanswered means No
    EXPECT_TRUE(Saw("unanswered: OK to overwrite 'left thigh'?"));
    EXPECT_EQ(Bits(thigh.boundTriangles), (std::vector<int>{0}));

    Run(ID_VIEW_BONE_BINDINGS);
    EXPECT_EQ(Bits(Temporary()), (std::vector<int>{0}));
    frame_->Selection().Select(Document().bones[2].Shape());
    EXPECT_FALSE(Temporary().Any());
    frame_->Selection().Select(thigh.Shape());
    EXPECT_EQ(Bits(Temporary()), (std::vector<int>{0}));
    Run(ID_VIEW_BONE_BINDINGS);
    EXPECT_FALSE(Temporary().Any());

    Pick(3);  // something other than a bone is selected now: unbinding asks
    Answer(ScriptedAnswer::Press(ScriptedAnswer::Button::Yes));
    Run(ID_SKELETON_UNBIND_BONE);
    EXPECT_TRUE(Saw("question: OK to overwrite 'left thigh'? -> yes"));
    EXPECT_FALSE(thigh.boundTriangles.Any());
    EXPECT_FALSE(Temporary().Any());
}

TEST_F(GroupCommands, GuessWithAnEmptyGroupEmptiesOnlyEligibleBones) {
    Run(ID_SKELETON_GUESS_BINDINGS);
    EXPECT_EQ(LastLine(), "message: No imported mesh to assign.");
    MakeSeamModel();
    uint32_t torsoOnly[NUM_MESH_NODES] = {1, 1};
    SetActiveNodes(Document(), torsoOnly);
    for (BonePart& bone : Document().bones) {
        bone.boundTriangles.SetBit(3);
    }
    Run(ID_SKELETON_GUESS_BINDINGS);
    // Triangle 3 stays with the bones the guess leaves alone.
    EXPECT_EQ(LastLine(),
              "status: Guessed bindings: 1 of the model's 4 triangles bound to 30 bones, 3 "
              "unbound.");
    for (int b = 0; b < NUM_BONES; ++b) {
        EXPECT_EQ(Document().bones[b].boundTriangles.Any(), !IsEligibleBone(Document(), b)) << b;
    }
}

}  // namespace
