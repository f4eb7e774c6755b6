// Auto Rig in the main frame: box characters rigged to a poseable model, and models that are no
// standing humanoid left as they were with a message.
#include <fstream>

#include "editor/shell/scripted_ui.h"
#include "editor/skeleton/skeleton_scene.h"
#include "tests/editor/skeleton/frame_fixture.h"
#include "tests/editor/skeleton/humanoid_mesh.h"

using namespace ::editor::skeleton;

namespace {

class AutoRig : public FrameTest {
  protected:
    void Open(const std::vector<Triangle3>& triangles) {
        Start();
        const std::string path = File("character.obj");
        std::ofstream(path) << TrianglesAsObj(triangles);
        ui_.Queue(ScriptedAnswer::File(path));
        ASSERT_TRUE(Run(ID_FILE_OPEN));
        ASSERT_NE(Document().model.Shape(), nullptr);
    }

    std::vector<Vector> Joints() {
        std::vector<Vector> joints;
        for (const JointPart& joint : Document().joints) {
            joints.push_back(JointScenePosition(Document(), &joint));
        }
        return joints;
    }

    std::vector<Vector> Vertices() {
        const MeshData& mesh = Document().model.mesh;
        return std::vector<Vector>(mesh.vertices, mesh.vertices + mesh.vertexCount);
    }
};

}  // namespace

TEST_F(AutoRig, RigsBoxCharactersIntoPoseableModels) {
    for (double drop : {0.0, 45.0, 80.0}) {
        SCOPED_TRACE(drop);
        Open(HumanoidTriangles({.armDrop = drop}));
        ASSERT_TRUE(Run(ID_SKELETON_AUTO_RIG));
        EXPECT_TRUE(Saw("status: Skeleton fitted to the model: every body joint placed."));
        EXPECT_TRUE(Saw("status: Generation compete."));
        // Every triangle moves with exactly one bone.
        const int triangles = Document().model.mesh.TriangleCount();
        for (int t = 0; t < triangles; ++t) {
            int bones = 0;
            for (const BonePart& bone : Document().bones) {
                bones += bone.boundTriangles.Test(t) ? 1 : 0;
            }
            ASSERT_EQ(bones, 1) << "triangle " << t;
        }
        frame_->Close();
        frame_ = std::make_unique<CMainFrame>(ui_, settings_, dir_.string() + "/", File("mn.log"));
        frame_->SetWriteSettingsOnClose(false);
    }
}

TEST_F(AutoRig, LeavesWhatIsNotAStandingHumanoidAsItWas) {
    std::vector<Triangle3> lying = HumanoidTriangles({});
    for (Triangle3& t : lying) {
        for (Point3& p : t) {
            p = {p.z, p.y, -p.x};  // lying on its back, head along +X
        }
    }
    const struct {
        const char* name;
        std::vector<Triangle3> triangles;
        const char* message;
    } cases[] = {
        {"cube", BoxTriangles({0, 0, 0}, {10, 10, 10}, 2), "no two legs were found"},
        {"one triangle",
         {{Point3{0, 0, 0}, Point3{0, 4, 0}, Point3{0, 0, 5}}},
         "no two legs were found"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Open(c.triangles);
        const std::vector<Vector> joints = Joints();
        const std::vector<Vector> vertices = Vertices();
        ASSERT_TRUE(Run(ID_SKELETON_AUTO_RIG));
        EXPECT_NE(LastLine().find(c.message), std::string::npos) << LastLine();
        EXPECT_EQ(Joints(), joints);
        EXPECT_EQ(Vertices(), vertices);
        frame_->Close();
        frame_ = std::make_unique<CMainFrame>(ui_, settings_, dir_.string() + "/", File("mn.log"));
        frame_->SetWriteSettingsOnClose(false);
    }
    // The skeleton fit alone refuses a lying character; Fit Model to Skeleton stands it up.
    Open(lying);
    const std::vector<Vector> joints = Joints();
    ASSERT_TRUE(Run(ID_SKELETON_FIT_TO_MODEL));
    EXPECT_NE(LastLine().find("the model is lying down"), std::string::npos) << LastLine();
    EXPECT_EQ(Joints(), joints);
    ASSERT_TRUE(Run(ID_MODEL_FIT_TO_SKELETON));
    EXPECT_TRUE(Saw("status: Stood the model up: its +X axis pointed up."));
    ASSERT_TRUE(Run(ID_SKELETON_FIT_TO_MODEL));
    EXPECT_EQ(LastLine(), "status: Skeleton fitted to the model: every body joint placed.");
}

TEST_F(AutoRig, WithoutAModelSaysSo) {
    Start();
    ASSERT_TRUE(Run(ID_SKELETON_AUTO_RIG));
    EXPECT_EQ(LastLine(), "message: Please open a model first.");
    ASSERT_TRUE(Run(ID_SKELETON_BIND_UNBOUND));
    EXPECT_EQ(LastLine(), "message: No imported mesh to assign.");
}

TEST_F(AutoRig, FitModelToSkeletonFacesTheModelWhereItsFeetPoint) {
    const struct {
        const char* name;
        int turnX;  // new x from old (x, y): +1 x, -1 -x, +2 y, -2 -y
        int turnY;
        const char* status;
    } cases[] = {
        {"facing -X", 1, 2, nullptr},
        {"facing +X", -1, -2,
         "status: Turned the model 180 degrees about Z to face the skeleton's way."},
        {"facing +Y", 2, -1,
         "status: Turned the model 90 degrees about Z to face the skeleton's way."},
    };
    const auto pick = [](const Point3& p, int from) {
        const double value = std::abs(from) == 1 ? p.x : p.y;
        return from > 0 ? value : -value;
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<Triangle3> triangles = HumanoidTriangles({.armDrop = 80.0});
        for (Triangle3& t : triangles) {
            for (Point3& p : t) {
                p = {pick(p, c.turnX), pick(p, c.turnY), p.z};
            }
        }
        Open(triangles);
        ASSERT_TRUE(Run(ID_MODEL_FIT_TO_SKELETON));
        const auto& lines = ui_.Transcript();
        const bool turned = std::any_of(lines.begin(), lines.end(), [](const std::string& line) {
            return line.find("Turned the model") != std::string::npos;
        });
        EXPECT_EQ(turned, c.status != nullptr);
        if (c.status != nullptr) {
            EXPECT_TRUE(Saw(c.status));
        }
        // Turned or not, the toes now point -X: the skeleton fit finds them in front.
        ASSERT_TRUE(Run(ID_SKELETON_FIT_TO_MODEL));
        EXPECT_LT(Joints()[4].x, Joints()[3].x - 3.0);
        frame_->Close();
        frame_ = std::make_unique<CMainFrame>(ui_, settings_, dir_.string() + "/", File("mn.log"));
        frame_->SetWriteSettingsOnClose(false);
        ui_.ClearTranscript();
    }
}
