#include <gtest/gtest.h>

#include "tests/editor/skeleton/expect_near.h"

#include <fstream>
#include <iterator>

#include "editor/skeleton/bone_file.h"
#include "editor/skeleton/pose_file.h"
#include "editor/skeleton/skeleton_posing.h"
#include "editor/skeleton/skeleton_scene.h"
#include "scene/input/controller.h"
#include "scene/scene.h"
#include "tests/editor/skeleton/frame_fixture.h"

using namespace ::editor::skeleton;
using namespace ::scene::input;
using namespace ::scene;

namespace {
std::vector<uint8_t> Bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

void Write(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

class SkeletonCommands : public FrameTest {
  protected:
    Vector JointAt(int j) { return JointScenePosition(Document(), &Document().joints[j]); }
    double Distance(int a, int b) { return Vector::Subtract(JointAt(a), JointAt(b)).Length(); }
};
}  // namespace

TEST_F(SkeletonCommands, StartUpBuildsTheSkeletonInTheScene) {
    Start();
    ModelDocument& document = Document();
    EXPECT_EQ(document.hasDefaultPose, 1u);
    ASSERT_NE(document.joints[0].Shape(), nullptr);
    EXPECT_EQ(document.joints[0].Shape()->GetParent(), frame_->Scene());
    EXPECT_NEAR(document.bones[10].length, 10.4035, 1e-4);
    EXPECT_NEAR(document.bones[3].length, 7.79, 1e-5);
    // The character's left (+y) side is on the right of the front view.
    const C3dViewport* viewport = frame_->View().GetViewport();
    C3dVector4 left =
        viewport->Transform(document.joints[11].Shape()->LocalToWorld(Vector(0, 0, 0)));
    C3dVector4 right =
        viewport->Transform(document.joints[17].Shape()->LocalToWorld(Vector(0, 0, 0)));
    EXPECT_GT(left.x / left.w, right.x / right.w);
}

TEST_F(SkeletonCommands, DefaultPoseFileIsReadAtStartUp) {
    PoseRecord pose;
    BoneLengths defaults;
    DefaultBoneLengths(defaults);
    pose.startPositions[CENTER_PELVIS_BONE] = {5.0, 0.0, 0.0};
    SetPoseName(pose, "default");
    PoseRecord other = pose;
    SetPoseName(other, "other");
    other.startPositions[CENTER_PELVIS_BONE] = {9.0, 0.0, 0.0};
    Write(File("default.spz"), SerializePoseFile({other, pose}));
    Start();
    EXPECT_EQ(Document().hasDefaultPose, 1u);
    ExpectNear(JointAt(0), Vector(-5.0, 0.0, 0.0));
}

TEST_F(SkeletonCommands, BadDefaultPoseFileIsReportedAndTheBuiltInSkeletonUsed) {
    Write(File("default.spz"), std::vector<uint8_t>(20, 0));
    Start();
    EXPECT_TRUE(Saw("message: Incorrect pose format in '" + File("default.spz") + "'."));
    ExpectNear(JointAt(1), Vector(0.0, 1.9314, -3.996), 0.1);
}

TEST_F(SkeletonCommands, SaveAndLoadPoseThroughTheDialogs) {
    Start();
    std::string path = File("poses.spz");
    ui_.Queue(ScriptedAnswer::Text("crouch"));
    ui_.Queue(ScriptedAnswer::File(path));
    ASSERT_TRUE(Run(ID_FILE_SAVE_POSE));
    EXPECT_TRUE(Saw("status: Saved skeleton as 'crouch' in " + path + "."));
    EXPECT_EQ(Bytes(path).size(), 1800u);

    Vector knee = JointAt(2);
    Document().rigidBones = 0;
    Document().joints[2].Shape()->SetPosition(Vector(30, 30, 30), Document().scene);
    ui_.Queue(ScriptedAnswer::File(path));
    ASSERT_TRUE(Run(ID_FILE_LOAD_POSE));
    EXPECT_TRUE(Saw("status: Posed skeleton as 'crouch' from " + path + "."));
    ExpectNear(JointAt(2), knee);

    // A cancelled dialog ends the command without a message.
    size_t lines = ui_.Transcript().size();
    ASSERT_TRUE(Run(ID_FILE_LOAD_POSE));
    for (size_t i = lines; i < ui_.Transcript().size(); ++i) {
        EXPECT_NE(ui_.Transcript()[i].rfind("message:", 0), 0u) << ui_.Transcript()[i];
    }
    EXPECT_TRUE(Saw("status: Enter a file name to load pose information from..."));
}

TEST_F(SkeletonCommands, SaveAndLoadBonesKeepThePose) {
    Start();
    std::string path = File("corvus.bnz");
    ui_.Queue(ScriptedAnswer::File(path));
    ASSERT_TRUE(Run(ID_FILE_SAVE_BONES));
    EXPECT_TRUE(Saw("status: Bones saved to '" + path + "'."));
    ASSERT_EQ(Bytes(path).size(), 296u);

    BoneLengths doubled;
    DefaultBoneLengths(doubled);
    for (double& length : doubled) {
        length *= 2;
    }
    Write(path, SerializeBoneLengths(doubled));
    Vector root = JointAt(0);
    double chest = Document().bones[10].length;

    // Without normalising the re-applied pose brings back the lengths it implies, except the
    // leaf bones, which take the table lengths.
    ui_.Queue(ScriptedAnswer::File(path));
    ASSERT_TRUE(Run(ID_FILE_LOAD_BONES));
    EXPECT_TRUE(Saw("status: Bones loaded from '" + path + "'."));
    EXPECT_NEAR(Document().bones[10].length, chest, 1e-4);
    EXPECT_NEAR(Document().bones[3].length, 7.79, 1e-4);

    Document().normalizePoses = 1;
    ui_.Queue(ScriptedAnswer::File(path));
    ASSERT_TRUE(Run(ID_FILE_LOAD_BONES));
    EXPECT_NEAR(Document().bones[10].length, 2 * 10.47, 1e-4);
    EXPECT_NEAR(Distance(1, 2), 2 * 14.62, 1e-3);
    ExpectNear(JointAt(0), root);

    // Saving over an existing file asks first.
    ui_.Queue(ScriptedAnswer::File(path));
    ui_.Queue(ScriptedAnswer::Press(ScriptedAnswer::Button::No));
    ASSERT_TRUE(Run(ID_FILE_SAVE_BONES));
    EXPECT_TRUE(Saw("question: OK to overwrite '" + path + "'? -> no"));
    EXPECT_EQ(Bytes(path), SerializeBoneLengths(doubled));
}

TEST_F(SkeletonCommands, TogglesRestoreDefaultsAndWings) {
    Start();
    uint32_t rigid = Document().rigidBones;
    ASSERT_TRUE(Run(ID_SKELETON_RIGID_BONES));
    EXPECT_NE(Document().rigidBones, rigid);
    EXPECT_EQ(frame_->Commands().IsChecked(ID_SKELETON_RIGID_BONES), Document().rigidBones != 0);
    ASSERT_TRUE(Run(ID_SKELETON_NORMALIZE_POSES));
    EXPECT_EQ(Document().normalizePoses, 1u);
    EXPECT_TRUE(frame_->Commands().IsChecked(ID_SKELETON_NORMALIZE_POSES));
    ASSERT_TRUE(Run(ID_SKELETON_SCALE_TO_GROUND));
    EXPECT_EQ(Document().scaleToGround, 1u);
    for (int wings : {ID_SKELETON_ANGEL_WINGS, ID_SKELETON_DEMON_WINGS, ID_SKELETON_INSECT_WINGS}) {
        EXPECT_FALSE(frame_->Commands().IsEnabled(wings));
        EXPECT_FALSE(Run(wings));
    }
    ASSERT_TRUE(Run(ID_SKELETON_RESTORE_DEFAULTS));
    for (int b = 0; b < NUM_BONES; ++b) {
        EXPECT_NEAR(Document().bones[b].length, boneTable[b].defaultLength, 1e-4) << b;
    }
}

TEST_F(SkeletonCommands, MeshNodesDialogSetsTheActiveNodes) {
    Start();
    ui_.Queue(ScriptedAnswer::Nodes({15}));
    ASSERT_TRUE(Run(ID_SKELETON_MESH_NODES));
    ModelDocument& document = Document();
    EXPECT_EQ(document.activeNodes[15], 1u);
    EXPECT_EQ(document.activeNodes[0], 0u);
    EXPECT_EQ(document.bones[26].visible, 1u);
    EXPECT_EQ(document.bones[25].displayMode, 1u);
    EXPECT_EQ(document.bones[3].visible, 0u);
    // Cancel changes nothing.
    ASSERT_TRUE(Run(ID_SKELETON_MESH_NODES));
    EXPECT_EQ(document.activeNodes[15], 1u);
    EXPECT_EQ(document.activeNodes[14], 0u);
}

TEST_F(SkeletonCommands, ControllerDragsTheSelectedJoint) {
    Start();
    Document().rigidBones = 1;
    frame_->Selection().Select(Document().joints[2].Shape());
    // The mouse's readings move as they are (the keyboard's become steps).
    ASSERT_TRUE(frame_->Controller()->SelectDevice(kDeviceMouse));
    double thigh = Distance(1, 2);
    InputState state;
    state.x = 2.0;  // to the right of the front view: the character's left, +y
    frame_->Controller()->Apply(state, frame_->Selection().Shape());
    EXPECT_NEAR(Distance(1, 2), thigh, 1e-4);
    EXPECT_GT(JointAt(2).y, 1.9314 + 0.5);

    // Hips To Origin clears the selection and moves the root back.
    frame_->Selection().Select(Document().joints[0].Shape());
    frame_->Controller()->Apply(state, frame_->Selection().Shape());
    ASSERT_TRUE(Run(ID_SKELETON_HIPS_TO_ORIGIN));
    EXPECT_EQ(frame_->Selection().Shape(), nullptr);
    ExpectNear(JointAt(0), Vector(0, 0, 0));
}
