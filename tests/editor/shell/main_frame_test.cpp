#include <gtest/gtest.h>

#include <cmath>

#include "editor/model/model_document.h"
#include "editor/shell/command_ids.h"
#include "editor/shell/settings_names.h"
#include "scene/input/controller.h"
#include "scene/input/input_message.h"
#include "scene/input/transform_dialog.h"
#include "scene/scene.h"
#include "scene/shape.h"
#include "tests/editor/shell/shell_test_support.h"

using namespace ::editor::model;
using namespace ::editor::shell;
using namespace ::scene::input;
using namespace ::scene;

namespace {

using namespace settings;

void ExpectVector(const Vector& v, double x, double y, double z) {
    EXPECT_NEAR(v.x, x, 1e-5);
    EXPECT_NEAR(v.y, y, 1e-5);
    EXPECT_NEAR(v.z, z, 1e-5);
}

std::vector<std::uint8_t> NodeBlock(std::size_t size, int clearedNode) {
    std::vector<std::uint8_t> block(size, 0);
    for (std::size_t node = 0; node * 4 + 3 < size; ++node) {
        block[node * 4] = static_cast<int>(node) == clearedNode ? 0 : 1;
    }
    return block;
}

TEST(MainFrameSettingsTest, AnEmptyProfileGivesTheDefaults) {
    FrameFixture fixture;
    ASSERT_TRUE(fixture.Start());
    CMainFrame& frame = *fixture.frame;
    EXPECT_EQ(frame.options.windowRect.left, 50);
    EXPECT_EQ(frame.options.windowRect.top, 50);
    EXPECT_EQ(frame.options.windowRect.right - frame.options.windowRect.left, 300);
    EXPECT_EQ(frame.options.windowRect.bottom - frame.options.windowRect.top, 350);
    EXPECT_TRUE(frame.options.viewSelection);
    EXPECT_TRUE(frame.options.viewHitPoint);
    EXPECT_FALSE(frame.options.liveUpdate);
    EXPECT_EQ(frame.options.controlDevice, 0);
    EXPECT_EQ(frame.controlTarget, 0);
    EXPECT_EQ(frame.Controller()->GetDeviceIndex(), kDeviceKeyboard);
    EXPECT_EQ(frame.Document().rigidBones, 0u);
    EXPECT_EQ(frame.Document().normalizePoses, 0u);
    EXPECT_EQ(frame.Document().model.solid, 0u);
    for (uint32_t node : frame.Document().activeNodes) {
        EXPECT_EQ(node, 1u);
    }
    EXPECT_EQ(frame.Selection().Bone(), kNoBone);
    EXPECT_EQ(frame.Selection().HitFace(), -1);
    EXPECT_EQ(frame.ProgramDir(), fixture.directory.Path().string() + "/");
}

TEST(MainFrameSettingsTest, StoredValuesAreReadAndWrittenBackOnClose) {
    FrameFixture fixture;
    fixture.settings.WriteInt(kWindow, kLeft, 10);
    fixture.settings.WriteInt(kWindow, kWidth, 640);
    fixture.settings.WriteInt(kOptions, kViewHit, 0);
    fixture.settings.WriteInt(kSkeleton, kRigidBones, 1);
    fixture.settings.WriteInt(kModel, kSolidBody, 1);
    ASSERT_TRUE(fixture.Start());
    CMainFrame& frame = *fixture.frame;
    EXPECT_EQ(frame.options.windowRect.left, 10);
    EXPECT_EQ(frame.options.windowRect.right, 650);
    EXPECT_FALSE(frame.options.viewHitPoint);
    EXPECT_EQ(frame.Document().rigidBones, 1u);
    EXPECT_EQ(frame.Document().model.solid, 1u);

    frame.options.windowRect = {20, 30, 420, 330};  // the window moved
    ASSERT_TRUE(frame.RunCommand(ID_LIVE_UPDATE));
    frame.Document().activeNodes[5] = 0;
    frame.Close();
    frame.Close();  // a second close changes nothing

    MemorySettingsStore& stored = fixture.settings;
    EXPECT_EQ(stored.GetInt(kWindow, kLeft, -1), 20);
    EXPECT_EQ(stored.GetInt(kWindow, kTop, -1), 30);
    EXPECT_EQ(stored.GetInt(kWindow, kWidth, -1), 400);
    EXPECT_EQ(stored.GetInt(kWindow, kHeight, -1), 300);
    EXPECT_EQ(stored.GetInt(kOptions, kViewSel, -1), 1);
    EXPECT_EQ(stored.GetInt(kOptions, kViewHit, -1), 0);
    EXPECT_EQ(stored.GetInt(kModel, kLiveUpdate, -1), 1);
    EXPECT_EQ(stored.GetInt(kSettings, kControlDevice, -1), 0);
    EXPECT_EQ(stored.GetInt(kSkeleton, kRigidBones, -1), 1);
    EXPECT_EQ(stored.GetInt(kSkeleton, kNormalizePoses, -1), 0);
    EXPECT_EQ(stored.GetInt(kModel, kSolidBody, -1), 1);
    EXPECT_EQ(stored.GetBinary(kSkeleton, kActiveNodes), NodeBlock(64, 5));
}

TEST(MainFrameSettingsTest, ActiveNodesAreTakenOnlyFromA64ByteBlock) {
    {
        FrameFixture fixture;
        fixture.settings.WriteBinary(kSkeleton, kActiveNodes, NodeBlock(60, 3));
        ASSERT_TRUE(fixture.Start());
        EXPECT_EQ(fixture.frame->Document().activeNodes[3], 1u);
    }
    {
        FrameFixture fixture;
        fixture.settings.WriteBinary(kSkeleton, kActiveNodes, NodeBlock(68, 3));
        ASSERT_TRUE(fixture.Start());
        EXPECT_EQ(fixture.frame->Document().activeNodes[3], 1u);
    }
    {
        FrameFixture fixture;
        fixture.settings.WriteBinary(kSkeleton, kActiveNodes, NodeBlock(64, 3));
        ASSERT_TRUE(fixture.Start());
        EXPECT_EQ(fixture.frame->Document().activeNodes[3], 0u);
        EXPECT_EQ(fixture.frame->Document().activeNodes[4], 1u);
    }
}

TEST(MainFrameSettingsTest, NothingIsWrittenWhenWriteBackIsOff) {
    FrameFixture fixture;
    fixture.frame->SetWriteSettingsOnClose(false);
    ASSERT_TRUE(fixture.Start());
    fixture.frame->Close();
    EXPECT_EQ(fixture.settings.EntryCount(), 0u);
}

TEST(MainFrameLifeTest, CreationBuildsTheSceneLightsCameraAndController) {
    FrameFixture fixture;
    EXPECT_FALSE(fixture.frame->OnIdle());  // nothing to do before creation
    ASSERT_TRUE(fixture.Start());
    CMainFrame& frame = *fixture.frame;
    ASSERT_NE(frame.Scene(), nullptr);
    EXPECT_EQ(frame.View().GetScene(), frame.Scene());
    EXPECT_EQ(frame.Document().scene, frame.Scene());
    ASSERT_EQ(frame.Scene()->GetLights().size(), 1u);
    const C3dLight& light = *frame.Scene()->GetLights()[0];
    EXPECT_EQ(light.GetKind(), C3dLightKind::Directional);
    EXPECT_NEAR(light.GetColor().r, 0.8, 1e-6);
    ExpectVector(light.GetPosition(), -2, 2, -5);
    Vector direction;
    Vector up;
    ASSERT_TRUE(light.GetOrientation(nullptr, direction, up));
    ExpectVector(direction, 1 / std::sqrt(3.0), -1 / std::sqrt(3.0), 1 / std::sqrt(3.0));
    EXPECT_NEAR(frame.Scene()->GetAmbientLight().GetColor().g, 0.4, 1e-6);
    EXPECT_EQ(frame.cameraView, kCameraFront);
    ExpectVector(frame.Scene()->GetCameraPosition(), -100, 0, 0);
    ASSERT_NE(frame.Controller(), nullptr);
    EXPECT_EQ(frame.View().GetListener(), frame.Controller());
    EXPECT_FALSE(frame.Create());  // only once

    frame.Close();
    EXPECT_EQ(frame.Scene(), nullptr);
    EXPECT_EQ(frame.Controller(), nullptr);
    EXPECT_EQ(frame.View().GetListener(), nullptr);
    EXPECT_EQ(frame.Document().scene, nullptr);
    EXPECT_FALSE(frame.OnIdle());
}

TEST(MainFrameLifeTest, IdleAdvancesTheSceneByOneStep) {
    FrameFixture fixture;
    ASSERT_TRUE(fixture.Start());
    C3dShape spinner;
    ASSERT_TRUE(fixture.frame->Scene()->AddChild(&spinner));
    spinner.SetRotation(Vector(0, 0, 1), M_PI / 2);  // a quarter turn per step
    fixture.frame->OnIdle();
    Vector direction;
    Vector up;
    ASSERT_TRUE(spinner.GetOrientation(nullptr, direction, up));
    EXPECT_NEAR(std::fabs(up.x), 1.0, 1e-5);
    fixture.frame->Scene()->RemoveChild(&spinner);
}

TEST(MainFrameLifeTest, AViewWithoutAreaFailsCreation) {
    FrameFixture fixture;
    fixture.frame->PreCreate();
    EXPECT_FALSE(fixture.frame->Create(0, 0));
    EXPECT_EQ(fixture.frame->Controller(), nullptr);
}

TEST(MainFrameCommandsTest, ControlDeviceFallsBackToTheKeyboardWithoutAJoystick) {
    FrameFixture fixture;
    ASSERT_TRUE(fixture.Start());
    CMainFrame& frame = *fixture.frame;
    fixture.ui.Queue(ScriptedAnswer::Device(0, kDeviceJoystick));
    ASSERT_TRUE(frame.RunCommand(ID_EDIT_CONTROL_DEVICE));
    EXPECT_TRUE(fixture.Saw("question: Control Device -> object joystick"));
    EXPECT_TRUE(fixture.Saw("status: Control is now via: Keyboard"));
    EXPECT_EQ(frame.options.controlDevice, kDeviceKeyboard);
    EXPECT_EQ(frame.controlTarget, 0);

    fixture.ui.Queue(ScriptedAnswer::Device(1, kDeviceMouse));
    ASSERT_TRUE(frame.RunCommand(ID_EDIT_CONTROL_DEVICE));
    EXPECT_TRUE(fixture.Saw("status: Control is now via: Mouse"));
    EXPECT_EQ(frame.controlTarget, 1);
    EXPECT_EQ(frame.options.controlDevice, kDeviceMouse);
    EXPECT_EQ(frame.cameraView, kCameraUnderControl);

    fixture.ui.ClearTranscript();
    ASSERT_TRUE(frame.RunCommand(ID_EDIT_CONTROL_DEVICE));  // cancelled: nothing changes
    EXPECT_EQ(fixture.ui.Transcript(), (std::vector<std::string>{"unanswered: Control Device"}));
    EXPECT_EQ(frame.options.controlDevice, kDeviceMouse);
}

TEST(MainFrameCommandsTest, TheCameraMovesOnIdleWhenItIsTheTarget) {
    FrameFixture fixture;
    ASSERT_TRUE(fixture.Start());
    CMainFrame& frame = *fixture.frame;
    fixture.ui.Queue(ScriptedAnswer::Device(1, kDeviceKeyboard));
    ASSERT_TRUE(frame.RunCommand(ID_EDIT_CONTROL_DEVICE));
    const C3dCamera& camera = frame.View().GetStage()->GetCamera();
    Vector before = camera.GetPosition();
    for (int repeat = 0; repeat < 5; ++repeat) {
        frame.View().RouteMessage(kMsgKeyDown, kKeyUp, 0);
    }
    frame.OnIdle();
    Vector after = camera.GetPosition();
    EXPECT_GT(Vector::Subtract(after, before).Length(), 1e-3);
}

TEST(MainFrameCommandsTest, TogglesFlipTheirFlagsAndSomeShowTheNotice) {
    FrameFixture fixture;
    ASSERT_TRUE(fixture.Start());
    CMainFrame& frame = *fixture.frame;
    struct Toggle {
        int id;
        std::function<int()> flag;
        bool notice;
    };
    const Toggle kToggles[] = {
        {ID_MODEL_LOCK_POSITION, [&] { return static_cast<int>(frame.options.lockPosition); },
         false},
        {ID_LIVE_UPDATE, [&] { return static_cast<int>(frame.options.liveUpdate); }, true},
        {ID_FLIP_TEXTURE_U, [&] { return static_cast<int>(frame.options.flipTextureU); }, true},
        {ID_FLIP_TEXTURE_V, [&] { return static_cast<int>(frame.options.flipTextureV); }, true},
        {ID_QUICK_EXPORT, [&] { return static_cast<int>(frame.options.quickExport); }, false},
        {ID_ARM_LEG_BEEF, [&] { return static_cast<int>(frame.Document().armLegBeef); }, true},
    };
    const std::string notice = std::string("message: ") + kNotImplementedNotice;
    for (const Toggle& toggle : kToggles) {
        fixture.ui.ClearTranscript();
        EXPECT_FALSE(frame.Commands().IsChecked(toggle.id)) << toggle.id;
        ASSERT_TRUE(frame.RunCommand(toggle.id)) << toggle.id;
        EXPECT_EQ(toggle.flag(), 1) << toggle.id;
        EXPECT_TRUE(frame.Commands().IsChecked(toggle.id)) << toggle.id;
        EXPECT_EQ(fixture.Saw(notice), toggle.notice) << toggle.id;
        ASSERT_TRUE(frame.RunCommand(toggle.id));
        EXPECT_EQ(toggle.flag(), 0) << toggle.id;
        EXPECT_FALSE(frame.Commands().IsChecked(toggle.id)) << toggle.id;
    }
    fixture.ui.ClearTranscript();
    ASSERT_TRUE(frame.RunCommand(ID_EXPORT_WAVEFRONT_OBJ));
    EXPECT_EQ(fixture.ui.Transcript(), (std::vector<std::string>{notice}));
}

TEST(MainFrameCommandsTest, CommandsWithoutHandlersAreDisabledAndRefuse) {
    FrameFixture fixture;
    ASSERT_TRUE(fixture.Start());
    CMainFrame& frame = *fixture.frame;
    for (int id : {ID_EDIT_UNDO, ID_EDIT_COPY, ID_EDIT_PASTE, ID_VIEW_ROTATE, ID_VIEW_RESET,
                   ID_MODEL_LIVE_UPDATE_MENU, ID_FILE_PRINT, ID_SKELETON_ANGEL_WINGS}) {
        EXPECT_FALSE(frame.Commands().IsEnabled(id)) << id;
        EXPECT_FALSE(frame.RunCommand(id)) << id;
    }
    // The transforms sheet needs a selection.
    EXPECT_FALSE(frame.RunCommand(ID_TRANSFORMS));
}

TEST(MainFrameCommandsTest, TransformsSheetWorksOnTheSelectionAndClosesCleanly) {
    FrameFixture fixture;
    ASSERT_TRUE(fixture.Start());
    CMainFrame& frame = *fixture.frame;
    C3dShape shape;
    frame.Selection().Select(&shape);
    ASSERT_TRUE(frame.RunCommand(ID_TRANSFORMS));
    EXPECT_TRUE(fixture.Saw(std::string("message: ") + kNotImplementedNotice));
    ASSERT_TRUE(fixture.ui.TransformsSheetOpen());
    CTransformDlg* sheet = frame.TransformsSheet();
    ASSERT_EQ(fixture.ui.TransformsSheet(), sheet);
    ASSERT_TRUE(frame.RunCommand(ID_TRANSFORMS));  // brought to the front, not a second one
    EXPECT_EQ(frame.TransformsSheet(), sheet);

    ASSERT_TRUE(
        sheet->Apply(CTransformDlg::Page::Translate, 1, 2, 3, CTransformDlg::Placement::After));
    ExpectVector(shape.GetPosition(), 1, 2, 3);
    frame.Selection().Select(nullptr);
    EXPECT_FALSE(
        sheet->Apply(CTransformDlg::Page::Scale, 2, 2, 2, CTransformDlg::Placement::After));
    EXPECT_TRUE(fixture.Saw("message: No current frame is selected"));
    sheet->OnClose();
    EXPECT_EQ(frame.TransformsSheet(), nullptr);

    frame.Selection().Select(&shape);
    ASSERT_TRUE(frame.RunCommand(ID_TRANSFORMS));
    frame.Selection().Select(nullptr);
    frame.Close();  // closes the open sheet too
    EXPECT_FALSE(fixture.ui.TransformsSheetOpen());
    EXPECT_EQ(frame.TransformsSheet(), nullptr);
}

TEST(MainFrameCommandsTest, InputDeviceSetupAndAbout) {
    FrameFixture fixture;
    ASSERT_TRUE(fixture.Start());
    fixture.ui.ClearTranscript();
    ASSERT_TRUE(fixture.frame->RunCommand(ID_EDIT_INPUT_DEVICE_SETUP));
    ASSERT_TRUE(fixture.frame->RunCommand(ID_APP_ABOUT));
    ASSERT_EQ(fixture.ui.Transcript().size(), 2u);
    EXPECT_EQ(fixture.ui.Transcript()[0], "message: The device is not configurable");
    EXPECT_EQ(fixture.ui.Transcript()[1].rfind("message: Marionet Version ", 0), 0u);
}

TEST(MainFrameCommandsTest, NewReadsTheSettingsAgainAndSetsTheFrontView) {
    FrameFixture fixture;
    ASSERT_TRUE(fixture.Start());
    CMainFrame& frame = *fixture.frame;
    frame.options.viewSelection = false;
    frame.SetCameraView(kCameraTop);
    ExpectVector(frame.Scene()->GetCameraPosition(), 0, 0, 100);
    fixture.settings.WriteInt(kModel, kLiveUpdate, 1);
    ASSERT_TRUE(frame.RunCommand(ID_FILE_NEW));
    EXPECT_TRUE(frame.options.viewSelection);
    EXPECT_TRUE(frame.options.liveUpdate);
    EXPECT_EQ(frame.cameraView, kCameraFront);
    ExpectVector(frame.Scene()->GetCameraPosition(), -100, 0, 0);
    EXPECT_EQ(frame.Selection().Shape(), nullptr);
}

}  // namespace

namespace {

class PresentJoystick : public JoystickBackend {
  public:
    int DeviceCount() override { return 1; }
    bool GetCapabilities(int, JoystickCapabilities& caps) override {
        caps.productName = "Test Stick";
        return true;
    }
    bool GetPosition(int, JoystickPosition&) override { return true; }
};

TEST(MainFrameCommandsTest, TheWindowsJoystickReachesTheController) {
    FrameFixture fixture;
    PresentJoystick joystick;
    fixture.frame->SetJoystickBackend(&joystick);
    fixture.settings.WriteInt(kSettings, kControlDevice, kDeviceJoystick);
    ASSERT_TRUE(fixture.Start());
    CMainFrame& frame = *fixture.frame;
    EXPECT_EQ(frame.Controller()->GetDeviceIndex(), kDeviceJoystick);
    fixture.ui.Queue(ScriptedAnswer::Device(0, kDeviceKeyboard));
    ASSERT_TRUE(frame.RunCommand(ID_EDIT_CONTROL_DEVICE));
    fixture.ui.Queue(ScriptedAnswer::Device(0, kDeviceJoystick));
    ASSERT_TRUE(frame.RunCommand(ID_EDIT_CONTROL_DEVICE));
    EXPECT_TRUE(fixture.Saw("status: Control is now via: Test Stick"));
    EXPECT_EQ(frame.options.controlDevice, kDeviceJoystick);
}

TEST(MainFrameCommandsTest, AStoredJoystickChoiceWithoutAJoystickUsesTheKeyboard) {
    FrameFixture fixture;
    fixture.settings.WriteInt(kSettings, kControlDevice, kDeviceJoystick);
    ASSERT_TRUE(fixture.Start());
    EXPECT_EQ(fixture.frame->Controller()->GetDeviceIndex(), kDeviceKeyboard);
    // The stored choice is kept for the day the joystick is back.
    fixture.frame->Close();
    EXPECT_EQ(fixture.settings.GetInt(kSettings, kControlDevice, -1), kDeviceJoystick);
}

}  // namespace
