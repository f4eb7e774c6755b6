#include <gtest/gtest.h>

#include "scene/input/input_message.h"
#include "scene/input/key_input_device.h"
#include "scene/input/mouse_input_device.h"

using namespace ::scene::input;

namespace {

void KeyDown(C3dInputDevice& device, uint32_t key) {
    device.OnMessage(kMsgKeyDown, key, 0);
}
void KeyUp(C3dInputDevice& device, uint32_t key) {
    device.OnMessage(kMsgKeyUp, key, 0);
}

InputState ReadState(C3dInputDevice& device) {
    InputState state;
    device.Read(state);
    return state;
}

TEST(KeyboardTest, RepeatsRampAndAPressAgainstTheMotionStopsItFirst) {
    C3dKeyInDev keyboard;
    for (int repeat = 0; repeat < 10; ++repeat) {
        KeyDown(keyboard, kKeyRight);
    }
    EXPECT_NEAR(ReadState(keyboard).x, 0.2, 1e-12);
    KeyDown(keyboard, kKeyLeft);
    EXPECT_EQ(ReadState(keyboard).x, 0.0);
    KeyDown(keyboard, kKeyLeft);
    EXPECT_NEAR(ReadState(keyboard).x, -0.02, 1e-12);
    KeyUp(keyboard, kKeyLeft);
    EXPECT_EQ(ReadState(keyboard).x, 0.0);
}

TEST(KeyboardTest, ModifiersAndOtherKeysDriveTheirDemands) {
    C3dKeyInDev keyboard;
    KeyDown(keyboard, kKeyShift);
    KeyDown(keyboard, kKeyRight);
    KeyDown(keyboard, kKeyUp);
    InputState shifted = ReadState(keyboard);
    EXPECT_NEAR(shifted.rz, 0.02, 1e-12);
    EXPECT_NEAR(shifted.z, 0.02, 1e-12);
    EXPECT_EQ(shifted.x, 0.0);
    EXPECT_EQ(shifted.y, 0.0);
    KeyUp(keyboard, kKeyShift);
    KeyDown(keyboard, kKeyControl);
    KeyDown(keyboard, kKeyLeft);
    KeyDown(keyboard, kKeyDown);
    InputState control = ReadState(keyboard);
    EXPECT_NEAR(control.ry, -0.02, 1e-12);
    EXPECT_NEAR(control.rx, -0.02, 1e-12);
    KeyUp(keyboard, kKeyControl);

    C3dKeyInDev plain;
    KeyDown(plain, kKeyPageUp);
    KeyDown(plain, kKeyEnd);
    KeyDown(plain, kKeyInsert);
    KeyDown(plain, kKeySubtract);
    InputState state = ReadState(plain);
    EXPECT_NEAR(state.rz, 0.02, 1e-12);
    EXPECT_NEAR(state.ry, -0.02, 1e-12);
    EXPECT_NEAR(state.rx, 0.02, 1e-12);
    EXPECT_NEAR(state.z, 0.02, 1e-12);
    KeyDown(plain, kKeyAdd);
    EXPECT_EQ(ReadState(plain).z, 0.0);
}

TEST(KeyboardTest, ReleasingAKeyAfterItsModifierStillStopsTheMotion) {
    C3dKeyInDev keyboard;
    KeyDown(keyboard, kKeyShift);
    KeyDown(keyboard, kKeyRight);
    KeyUp(keyboard, kKeyShift);
    KeyUp(keyboard, kKeyRight);
    EXPECT_EQ(ReadState(keyboard).rz, 0.0);
}

TEST(KeyboardTest, NumericPadSetsTheHatUntilReleased) {
    C3dKeyInDev keyboard;
    EXPECT_EQ(ReadState(keyboard).hat, -1.0);
    const std::pair<uint32_t, double> kHat[] = {
        {kKeyNumpad8, 0.0},   {kKeyNumpad9, 45.0},  {kKeyNumpad6, 90.0},  {kKeyNumpad3, 135.0},
        {kKeyNumpad2, 180.0}, {kKeyNumpad1, 225.0}, {kKeyNumpad4, 270.0}, {kKeyNumpad7, 315.0}};
    for (auto [key, angle] : kHat) {
        KeyDown(keyboard, key);
        EXPECT_EQ(ReadState(keyboard).hat, angle);
        KeyUp(keyboard, key);
        EXPECT_EQ(ReadState(keyboard).hat, -1.0);
    }
}

void Press(C3dMouseInDev& mouse, int x, int y, uint64_t flags = 0) {
    mouse.OnMessage(kMsgLeftButtonDown, kMouseLeftButton | flags, MakeMouseLParam(x, y));
}
void MoveTo(C3dMouseInDev& mouse, int x, int y, uint64_t flags = 0) {
    mouse.OnMessage(kMsgMouseMove, kMouseLeftButton | flags, MakeMouseLParam(x, y));
}

TEST(MouseTest, DragMovesByTheDistanceLessTheDeadZone) {
    C3dMouseInDev mouse;
    Press(mouse, 100, 100);
    EXPECT_TRUE(mouse.IsDragging());
    InputState first = ReadState(mouse);  // first read after a start moves nothing
    EXPECT_EQ(first.x, 0.0);
    EXPECT_EQ(first.y, 0.0);
    MoveTo(mouse, 110, 95);
    InputState moved = ReadState(mouse);
    EXPECT_NEAR(moved.x, 0.7, 1e-12);  // (10 - 3) x 0.1
    EXPECT_NEAR(moved.y, 0.2, 1e-12);  // -(-5 + 3) x 0.1
    MoveTo(mouse, 113, 97);            // within the dead zone
    InputState still = ReadState(mouse);
    EXPECT_EQ(still.x, 0.0);
    EXPECT_EQ(still.y, 0.0);
    EXPECT_EQ(ReadState(mouse).x, 0.0);  // demands are recomputed on every read
}

TEST(MouseTest, JumpsOverAHundredPixelsMoveNothing) {
    C3dMouseInDev mouse;
    Press(mouse, 0, 0);
    ReadState(mouse);
    MoveTo(mouse, 150, 10);
    InputState state = ReadState(mouse);
    EXPECT_EQ(state.x, 0.0);
    EXPECT_EQ(state.y, 0.0);
    MoveTo(mouse, 260, 10);
    EXPECT_EQ(ReadState(mouse).x, 0.0);
    MoveTo(mouse, 260 + 100, 10);  // exactly 100 still counts
    EXPECT_NEAR(ReadState(mouse).x, 9.7, 1e-12);
}

TEST(MouseTest, ModifiersTurnMovesIntoRotations) {
    C3dMouseInDev mouse;
    Press(mouse, 50, 50);
    ReadState(mouse);
    MoveTo(mouse, 60, 40, kMouseShift);
    InputState shifted = ReadState(mouse);
    EXPECT_NEAR(shifted.rz, -0.7, 1e-12);
    EXPECT_NEAR(shifted.z, 0.7, 1e-12);
    EXPECT_EQ(shifted.x, 0.0);
    MoveTo(mouse, 70, 50, kMouseControl);
    InputState control = ReadState(mouse);
    EXPECT_NEAR(control.ry, -0.7, 1e-12);
    EXPECT_NEAR(control.rx, -0.7, 1e-12);
}

TEST(MouseTest, MovesWithoutTheButtonAndANewDragDoNotJump) {
    C3dMouseInDev mouse;
    Press(mouse, 10, 10);
    ReadState(mouse);
    mouse.OnMessage(kMsgLeftButtonUp, 0, MakeMouseLParam(10, 10));
    EXPECT_FALSE(mouse.IsDragging());
    mouse.OnMessage(kMsgMouseMove, 0, MakeMouseLParam(60, 60));
    EXPECT_EQ(ReadState(mouse).x, 0.0);
    Press(mouse, 70, 70);  // far from the last drag's end
    EXPECT_EQ(ReadState(mouse).x, 0.0);
}

TEST(InputDeviceTest, BaseDeviceIsNotConfigurable) {
    C3dInputDevice device;
    EXPECT_EQ(device.GetName(), "Generic 3D Input Device");
    std::string shown;
    device.Configure([&shown](const std::string& text) { shown = text; });
    EXPECT_EQ(shown, "The device is not configurable");
    C3dKeyInDev keyboard;
    shown.clear();
    keyboard.Configure([&shown](const std::string& text) { shown = text; });
    EXPECT_EQ(shown, "The device is not configurable");
}

}  // namespace
