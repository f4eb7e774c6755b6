#include "platform/key_translation.h"

#include <gtest/gtest.h>

#include "scene/input/input_message.h"

using namespace ::platform;
using namespace ::scene::input;

TEST(KeyTranslation, MovementKeysMapToTheirVirtualKeys) {
    const Qt::KeyboardModifiers none;
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Left, none), kKeyLeft);
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Right, none), kKeyRight);
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Up, none), kKeyUp);
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Down, none), kKeyDown);
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_PageUp, none), kKeyPageUp);
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_PageDown, none), kKeyPageDown);
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Home, none), kKeyHome);
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_End, none), kKeyEnd);
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Insert, none), kKeyInsert);
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Delete, none), kKeyDelete);
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Shift, Qt::ShiftModifier), kKeyShift);
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Control, Qt::ControlModifier), kKeyControl);
    // Arrows of the keypad (Num Lock off) are still arrows.
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Left, Qt::KeypadModifier), kKeyLeft);
}

TEST(KeyTranslation, KeypadKeysAreToldApartFromTheMainKeys) {
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_8, Qt::KeypadModifier), kKeyNumpad8);
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_1, Qt::KeypadModifier), kKeyNumpad1);
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Plus, Qt::KeypadModifier), kKeyAdd);
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Minus, Qt::KeypadModifier), kKeySubtract);
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_8, Qt::NoModifier), 0u);
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Minus, Qt::NoModifier), 0u);
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_A, Qt::NoModifier), 0u);
}

TEST(KeyTranslation, MouseFlagsCarryButtonShiftAndControl) {
    EXPECT_EQ(MouseKeyFlagsFromQt(Qt::NoButton, Qt::NoModifier), 0u);
    EXPECT_EQ(MouseKeyFlagsFromQt(Qt::LeftButton, Qt::ShiftModifier),
              kMouseLeftButton | kMouseShift);
    EXPECT_EQ(MouseKeyFlagsFromQt(Qt::RightButton, Qt::ControlModifier), kMouseControl);
}
