#include <gtest/gtest.h>

#include <cmath>

#include "scene/frame.h"
#include "scene/input/controller.h"
#include "scene/input/input_message.h"
#include "scene/input/memory_settings_store.h"
#include "scene/input/transform_dialog.h"

using namespace ::scene;
using namespace ::scene::input;

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

C3dFrame* TargetOf(void* argument) {
    return static_cast<C3dFrame*>(argument);
}
C3dFrame* NoTarget(void*) {
    return nullptr;
}

void ExpectVector(const Vector& v, double x, double y, double z) {
    EXPECT_NEAR(v.x, x, 1e-5);
    EXPECT_NEAR(v.y, y, 1e-5);
    EXPECT_NEAR(v.z, z, 1e-5);
}

TEST(ControllerTest, CreateNeedsAViewAndACallbackAndListensToTheView) {
    C3dView view;
    C3dFrame target;
    {
        C3dPosCtlr controller;
        EXPECT_FALSE(controller.Create(nullptr, TargetOf, &target));
        EXPECT_FALSE(controller.Create(&view, nullptr, &target));
        ASSERT_TRUE(controller.Create(&view, TargetOf, &target));
        EXPECT_EQ(view.GetListener(), &controller);
        EXPECT_EQ(controller.GetDeviceIndex(), kDeviceKeyboard);
        EXPECT_EQ(controller.GetDeviceName(), "Keyboard");
    }
    // A deleted controller no longer receives the view's messages.
    EXPECT_EQ(view.GetListener(), nullptr);
}

TEST(ControllerTest, SelectDeviceFallsBackToTheKeyboardWithoutAJoystick) {
    C3dPosCtlr controller;
    EXPECT_TRUE(controller.SelectDevice(kDeviceMouse));
    EXPECT_EQ(controller.GetDeviceName(), "Mouse");
    EXPECT_TRUE(controller.SelectDevice(kDeviceJoystick));
    EXPECT_EQ(controller.GetDeviceIndex(), kDeviceKeyboard);
    EXPECT_EQ(controller.GetDeviceName(), "Keyboard");
    EXPECT_FALSE(controller.SelectDevice(3));
    EXPECT_FALSE(controller.SelectDevice(-1));
    EXPECT_EQ(controller.GetDeviceIndex(), kDeviceKeyboard);

    PresentJoystick joystick;
    C3dPosCtlr withJoystick(&joystick);
    EXPECT_TRUE(withJoystick.SelectDevice(kDeviceJoystick));
    EXPECT_EQ(withJoystick.GetDeviceIndex(), kDeviceJoystick);
    EXPECT_EQ(withJoystick.GetDeviceName(), "Test Stick");
}

TEST(ControllerTest, AJoystickHandedOverLaterCanBeUsedAndTakenAway) {
    C3dPosCtlr controller;
    PresentJoystick joystick;
    controller.UseJoystick(&joystick, nullptr);
    ASSERT_TRUE(controller.SelectDevice(kDeviceJoystick));
    EXPECT_EQ(controller.GetDeviceName(), "Test Stick");
    controller.UseJoystick(nullptr, nullptr);
    EXPECT_EQ(controller.GetDeviceIndex(), kDeviceKeyboard);
}

TEST(ControllerTest, KeysReachTheDeviceThroughTheViewAndMoveTheTarget) {
    C3dView view;
    C3dFrame target;
    C3dPosCtlr controller;
    ASSERT_TRUE(controller.Create(&view, TargetOf, &target));
    view.RouteMessage(kMsgKeyDown, kKeyRight, 0);
    view.RouteMessage(kMsgKeyDown, kKeyRight, 0);
    controller.Update();
    ExpectVector(target.GetPosition(), 0.004, 0.0, 0.0);
    controller.Update();  // the demand holds while the key is down
    ExpectVector(target.GetPosition(), 0.008, 0.0, 0.0);
    view.RouteMessage(kMsgKeyUp, kKeyRight, 0);
    controller.Update();
    ExpectVector(target.GetPosition(), 0.008, 0.0, 0.0);
}

TEST(ControllerTest, NothingMovesWithoutATarget) {
    C3dView view;
    C3dPosCtlr controller;
    ASSERT_TRUE(controller.Create(&view, NoTarget, nullptr));
    view.RouteMessage(kMsgKeyDown, kKeyRight, 0);
    controller.Update();  // must not crash
    EXPECT_EQ(controller.LastState().x, 0.0);
}

TEST(ControllerTest, PositionControllerMovesAndTurnsInPlace) {
    C3dFrame target;
    C3dPosCtlr controller;
    InputState state;
    state.x = 1.0;
    state.y = 2.0;
    state.z = -3.0;
    controller.Apply(state, &target);
    ExpectVector(target.GetPosition(), 0.1, 0.2, -0.3);

    InputState turn;
    turn.rz = 30.0;  // -90 degrees about z
    controller.Apply(turn, &target);
    Vector direction;
    Vector up;
    ASSERT_TRUE(target.GetOrientation(nullptr, direction, up));
    ExpectVector(direction, 0.0, 0.0, 1.0);
    ExpectVector(up, -1.0, 0.0, 0.0);
    ExpectVector(target.GetPosition(), 0.1, 0.2, -0.3);
}

TEST(ControllerTest, FlyControllerTurnsThenFliesAlongItsDirection) {
    C3dFrame target;
    C3dFlyCtlr controller;
    InputState forward;
    forward.z = 10.0;
    controller.Apply(forward, &target);
    ExpectVector(target.GetPosition(), 0.0, 0.0, 1.0);

    InputState yaw;
    yaw.ry = (M_PI / 2.0) / 0.2;  // a quarter turn about the frame's own y
    controller.Apply(yaw, &target);
    Vector direction;
    Vector up;
    ASSERT_TRUE(target.GetOrientation(nullptr, direction, up));
    EXPECT_NEAR(std::fabs(direction.x), 1.0, 1e-5);
    EXPECT_NEAR(direction.z, 0.0, 1e-5);
    ExpectVector(up, 0.0, 1.0, 0.0);
    controller.Apply(forward, &target);
    EXPECT_NEAR(std::fabs(target.GetPosition().x), 1.0, 1e-5);
    EXPECT_NEAR(target.GetPosition().z, 1.0, 1e-5);
}

TEST(TransformDialogTest, MatricesGoBeforeAfterOrInPlaceOfTheTransform) {
    C3dFrame frame;
    C3dFrame* current = &frame;
    std::string message;
    bool closed = false;
    CTransformDlg sheet([&current] { return current; },
                        [&message](const std::string& text) { message = text; },
                        [&closed] { closed = true; });

    ASSERT_TRUE(
        sheet.Apply(CTransformDlg::Page::Translate, 1, 2, 3, CTransformDlg::Placement::Replace));
    ExpectVector(frame.GetPosition(), 1, 2, 3);
    // Scaling after the translation scales the position too; before it does not.
    ASSERT_TRUE(sheet.Apply(CTransformDlg::Page::Scale, 2, 2, 2, CTransformDlg::Placement::Before));
    ExpectVector(frame.GetPosition(), 1, 2, 3);
    ASSERT_TRUE(sheet.Apply(CTransformDlg::Page::Scale, 2, 2, 2, CTransformDlg::Placement::After));
    ExpectVector(frame.GetPosition(), 2, 4, 6);

    C3dMatrix rotation = CTransformDlg::BuildMatrix(CTransformDlg::Page::Rotate, 0, 0, 90);
    ExpectVector(rotation.Transform(Vector(1, 0, 0)), 0, -1, 0);

    current = nullptr;
    EXPECT_FALSE(sheet.Apply(CTransformDlg::Page::Scale, 1, 1, 1, CTransformDlg::Placement::After));
    EXPECT_EQ(message, "No current frame is selected");
    sheet.OnClose();
    EXPECT_TRUE(closed);
}

TEST(SettingsStoreTest, MemoryStoreKeepsTypesAndGivesDefaults) {
    MemorySettingsStore store;
    EXPECT_FALSE(store.HasEntry("Settings", "ControlDevice"));
    EXPECT_EQ(store.GetInt("Settings", "ControlDevice", 7), 7);
    store.WriteInt("Settings", "ControlDevice", 2);
    EXPECT_EQ(store.GetInt("Settings", "ControlDevice", 7), 2);
    EXPECT_EQ(store.GetInt("Settings\\Window", "ControlDevice", 7), 7);  // other section
    store.WriteString("S", "Sens", "1.5");
    EXPECT_EQ(store.GetString("S", "Sens", "x"), "1.5");
    EXPECT_EQ(store.GetInt("S", "Sens", 4), 4);  // not a whole number
    store.WriteString("S", "Count", "12");
    EXPECT_EQ(store.GetInt("S", "Count", 4), 12);
    const std::uint8_t bytes[] = {1, 2, 3};
    store.WriteBinary("S", "Block", bytes);
    EXPECT_EQ(store.GetBinary("S", "Block"), (std::vector<std::uint8_t>{1, 2, 3}));
    EXPECT_FALSE(store.GetBinary("S", "Sens").has_value());
    EXPECT_EQ(store.GetInt("S", "Block", 9), 9);
}

}  // namespace
