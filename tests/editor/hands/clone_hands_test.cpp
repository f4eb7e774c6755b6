#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "editor/hands/clone_hands.h"
#include "editor/model/triangle_group_table.h"
#include "editor/skeleton/skeleton_posing.h"
#include "editor/skeleton/skeleton_scene.h"
#include "scene/scene.h"
#include "tests/editor/skeleton/frame_fixture.h"

using namespace ::editor::hands;
using namespace ::editor::model;
using namespace ::editor::skeleton;

namespace {

// How an open hand meets its forearm.
enum class HandJoin {
    SharedEdge,  // a strip continuing from the forearm's far edge
    Apart,       // a strip of its own, touching nothing
    SeamOnly,    // triangles over the forearm's own corners
};

constexpr int TEX_VERTICES = 8;

// Every joint's scene position, every bone's length and bindings, the mesh's counts, the groups
// and the mesh nodes: what a refused clone must leave alone.
struct Snapshot {
    std::vector<Vector> joints;
    std::vector<double> lengths;
    std::vector<TriangleSet> bindings;
    int vertices = 0;
    int triangles = 0;
    std::vector<std::string> groups;
    std::vector<uint32_t> nodes;

    bool operator==(const Snapshot& other) const {
        if (bindings.size() != other.bindings.size()) {
            return false;
        }
        for (std::size_t b = 0; b < bindings.size(); ++b) {
            if (!bindings[b].Equals(other.bindings[b])) {
                return false;
            }
        }
        return joints == other.joints && lengths == other.lengths && vertices == other.vertices &&
               triangles == other.triangles && groups == other.groups && nodes == other.nodes;
    }
};

class CloneHandsCommand : public FrameTest {
  protected:
    void SetUp() override { Start(); }

    MeshData& Mesh() { return Document().model.mesh; }
    TriangleGroupTable& Groups() { return *Mesh().groupTable; }
    TriangleSet& Bound(int bone) { return Document().bones[bone].boundTriangles; }

    // A forearm quad at x and an open hand of handTriangles triangles joined as told; binds
    // them to the side's bones.
    void AddArm(const HandSide& side, double x, HandJoin join, int handTriangles) {
        MeshData& mesh = Mesh();
        int quad[4];
        for (int i = 0; i < 4; ++i) {
            quad[i] = mesh.AddVertex(Vector(x + (i % 2) * 4, i / 2 * 4, 0));
        }
        Bound(side.forearmBone).SetBit(AddTriangle(quad[0], quad[1], quad[3]));
        Bound(side.forearmBone).SetBit(AddTriangle(quad[0], quad[3], quad[2]));
        std::vector<int> strip;
        if (join == HandJoin::SharedEdge) {
            strip = {quad[2], quad[3]};
        }
        while (join != HandJoin::SeamOnly && static_cast<int>(strip.size()) < handTriangles + 2) {
            const int i = static_cast<int>(strip.size());
            strip.push_back(mesh.AddVertex(Vector(x + (i % 2) * 4, 4 + i * 2, 1)));
        }
        for (int t = 0; t < handTriangles; ++t) {
            const int hand = join == HandJoin::SeamOnly
                                 ? AddTriangle(quad[t % 4], quad[(t + 1) % 4], quad[(t + 2) % 4])
                                 : AddTriangle(strip[t], strip[t + 1], strip[t + 2]);
            Bound(side.openHandBone).SetBit(hand);
        }
    }

    int AddTriangle(int a, int b, int c) {
        const int t = Mesh().TriangleCount();
        return Mesh().AddTriangle(a, b, c, t % TEX_VERTICES, (t + 1) % TEX_VERTICES,
                                  (t + 2) % TEX_VERTICES);
    }

    // Both arms, then filler triangles up to totalTriangles; the model goes into the scene.
    void MakeModel(HandJoin join, int handTriangles, int totalTriangles = 0) {
        // The old shape goes: nothing may stay selected on it.
        frame_->Selection().Select(nullptr);
        for (BonePart& bone : Document().bones) {
            bone.boundTriangles.ClearAll();
        }
        Mesh().Clear();
        Mesh().texVertexCount = TEX_VERTICES;
        AddArm(LEFT_HAND, 0.0, join, handTriangles);
        AddArm(RIGHT_HAND, 20.0, join, handTriangles);
        while (Mesh().TriangleCount() < totalTriangles) {
            AddTriangle(0, 1, 2);
        }
        Document().model.RebuildShape();
        frame_->Scene()->AddChild(Document().model.Shape());
    }

    Snapshot Take() {
        Snapshot s;
        for (const JointPart& joint : Document().joints) {
            s.joints.push_back(JointScenePosition(Document(), &joint));
        }
        for (const BonePart& bone : Document().bones) {
            s.lengths.push_back(bone.length);
            s.bindings.push_back(bone.boundTriangles);
        }
        s.vertices = Mesh().vertexCount;
        s.triangles = Mesh().TriangleCount();
        for (int g = 0; g < Groups().GroupCount(); ++g) {
            s.groups.push_back(Groups().GroupName(g));
        }
        s.nodes.assign(Document().activeNodes, Document().activeNodes + NUM_MESH_NODES);
        return s;
    }

    void SwitchNodesOff() {
        uint32_t none[NUM_MESH_NODES] = {};
        SetActiveNodes(Document(), none);
    }

    void Clone() { Run(ID_MODEL_CLONE_HANDS); }

    // Each clone triangle copies its open triangle: same texture vertices, same positions, and
    // the same corner exactly where the corner is shared with the forearm.
    void ExpectCloneOf(const HandSide& side) {
        const MeshData& mesh = Mesh();
        const VertexSet forearm = Corners(Bound(side.forearmBone));
        std::vector<int> open = Members(Bound(side.openHandBone));
        std::vector<int> clone = Members(Bound(side.closedHandBone));
        ASSERT_EQ(open.size(), clone.size());
        for (std::size_t k = 0; k < open.size(); ++k) {
            int o[3], c[3], to[3], tc[3];
            mesh.GetTriangle(open[k], o[0], o[1], o[2]);
            mesh.GetTriangle(clone[k], c[0], c[1], c[2]);
            mesh.GetTexTriangle(open[k], to[0], to[1], to[2]);
            mesh.GetTexTriangle(clone[k], tc[0], tc[1], tc[2]);
            for (int i = 0; i < 3; ++i) {
                EXPECT_EQ(mesh.vertices[o[i]], mesh.vertices[c[i]]);
                EXPECT_EQ(o[i] == c[i], forearm.Test(o[i])) << side.groupName << " corner " << i;
                EXPECT_EQ(to[i], tc[i]);
            }
        }
    }

    VertexSet Corners(const TriangleSet& set) {
        VertexSet corners;
        for (int t : Members(set)) {
            int a, b, c;
            Mesh().GetTriangle(t, a, b, c);
            corners.SetBit(a);
            corners.SetBit(b);
            corners.SetBit(c);
        }
        return corners;
    }

    std::vector<int> Members(const TriangleSet& set) {
        std::vector<int> members;
        set.ForEachSet([&members](int t) { members.push_back(t); }, Mesh().TriangleCount());
        return members;
    }
};

TEST_F(CloneHandsCommand, ClonesShareTheSeamAndOnlyTheSeam) {
    const struct {
        const char* name;
        HandJoin join;
        int handTriangles;
        int newVerticesPerSide;
    } cases[] = {
        {"shared edge", HandJoin::SharedEdge, 2, 2},
        {"apart from the arm", HandJoin::Apart, 3, 5},
        {"seam vertices only", HandJoin::SeamOnly, 1, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        MakeModel(c.join, c.handTriangles);
        Groups().ClearGroups();
        SwitchNodesOff();
        frame_->Selection().Select(Document().model.Shape());
        Document().model.Shape()->SetPosition(Vector(3, -2, 7), Document().scene);
        const int vertices = Mesh().vertexCount;
        const int triangles = Mesh().TriangleCount();

        Clone();

        EXPECT_EQ(Mesh().vertexCount, vertices + 2 * c.newVerticesPerSide);
        EXPECT_EQ(Mesh().TriangleCount(), triangles + 2 * c.handTriangles);
        for (const HandSide& side : HAND_SIDES) {
            ExpectCloneOf(side);
            const int group = Groups().FindGroup(side.groupName);
            ASSERT_GE(group, 0);
            EXPECT_TRUE(Groups().GroupSet(group)->Equals(Bound(side.closedHandBone)));
            EXPECT_EQ(Document().activeNodes[side.closedHandMeshNode], 1u);
        }
        EXPECT_EQ(frame_->Selection().Shape(), Document().model.Shape());
        EXPECT_EQ(Document().model.Shape()->GetPosition(Document().scene), Vector(3, -2, 7));
        EXPECT_EQ(LastLine(), "status: Ready.");
    }
}

TEST_F(CloneHandsCommand, RefusedClonesChangeNothing) {
    const struct {
        const char* name;
        std::function<void()> arrange;
        const char* message;
    } cases[] = {
        {"no left forearm", [this] { Bound(LEFT_HAND.forearmBone).ClearAll(); },
         "Please assign some mesh to the open left and right hands and forearms first!"},
        {"no right forearm", [this] { Bound(RIGHT_HAND.forearmBone).ClearAll(); },
         "Please assign some mesh to the open left and right hands and forearms first!"},
        {"2000 triangles and two hands of 30",
         [this] { MakeModel(HandJoin::SharedEdge, 30, 2000); },
         "Unable to clone hands - too many verteces or triangles!"},
        {"a full group table",
         [this] {
             for (int g = Groups().GroupCount(); g < MAX_TRIANGLE_GROUPS - 1; ++g) {
                 Groups().SaveGroup("g" + std::to_string(g), nullptr);
             }
         },
         "Too many groups!"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Groups().ClearGroups();
        MakeModel(HandJoin::SharedEdge, 2);
        c.arrange();
        SwitchNodesOff();
        const Snapshot before = Take();

        Clone();

        EXPECT_TRUE(Saw(std::string("message: ") + c.message));
        EXPECT_TRUE(Take() == before);
    }
}

TEST_F(CloneHandsCommand, GripsSitAtThreeQuartersAndClosedHandsLieLikeOpenOnes) {
    MakeModel(HandJoin::SharedEdge, 2);
    // Move a fingertip off the default so that the grip has somewhere new to go.
    JointPart& tips = Document().joints[LEFT_HAND.fingertipsJoint];
    tips.Shape()->SetPosition(Vector::Add(JointScenePosition(Document(), &tips), Vector(0, 0, 2)),
                              Document().scene);
    AimBone(Document(), tips);

    Clone();

    for (const HandSide& side : HAND_SIDES) {
        SCOPED_TRACE(side.groupName);
        const Vector wrist = JointScenePosition(Document(), &Document().joints[side.wristJoint]);
        const Vector tip = JointScenePosition(Document(), &Document().joints[side.fingertipsJoint]);
        const Vector grip = JointScenePosition(Document(), &Document().joints[side.gripJoint]);
        const Vector span = Vector::Subtract(tip, wrist);
        const Vector expected = Vector::Add(wrist, Vector::Scaled(span, 0.75));
        EXPECT_NEAR(Vector::Subtract(grip, expected).Length(), 0.0, 1e-4);
        const BonePart& closed = Document().bones[side.closedHandBone];
        EXPECT_NEAR(closed.length, 0.75 * span.Length(), 1e-4);
        Vector openDirection, openUp, closedDirection, closedUp;
        Document().bones[side.openHandBone].Shape()->GetOrientation(Document().scene, openDirection,
                                                                    openUp);
        closed.Shape()->GetOrientation(Document().scene, closedDirection, closedUp);
        EXPECT_NEAR(Vector::Subtract(openDirection, closedDirection).Length(), 0.0, 1e-5);
        EXPECT_NEAR(Vector::Subtract(openUp, closedUp).Length(), 0.0, 1e-5);
        EXPECT_NEAR(closed.Shape()->GetPosition(Document().scene).x, wrist.x, 1e-4);
    }
}

TEST_F(CloneHandsCommand, ASecondCloneAsksFirstAndAddsTheNextGroups) {
    MakeModel(HandJoin::SharedEdge, 2);
    Clone();
    const Snapshot once = Take();

    ui_.Queue(ScriptedAnswer::Press(ScriptedAnswer::Button::Cancel));
    Clone();
    EXPECT_TRUE(
        Saw("question: NOTE: Current assignments to the closed left and right hands will "
            "be overwritten. -> cancel"));
    EXPECT_TRUE(Take() == once);

    ui_.Queue(ScriptedAnswer::Press(ScriptedAnswer::Button::Ok));
    Clone();
    EXPECT_GE(Groups().FindGroup("xLHC"), 0);
    EXPECT_GE(Groups().FindGroup("xRHC"), 0);
    EXPECT_EQ(Mesh().TriangleCount(), once.triangles + 4);
    EXPECT_EQ(Bound(LEFT_HAND.closedHandBone).Count(), 2);
    EXPECT_FALSE(
        Bound(LEFT_HAND.closedHandBone).Intersects(once.bindings[LEFT_HAND.closedHandBone]));
}

}  // namespace
