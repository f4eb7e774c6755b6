#include "platform/sdl_joystick_backend.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include "scene/input/joystick_input_device.h"

using namespace ::platform;
using namespace ::scene::input;

TEST(SdlJoystick, AxisValuesSpanTheFullPositionRange) {
    EXPECT_EQ(SdlJoystickBackend::AxisPosition(-32768), 0u);
    EXPECT_EQ(SdlJoystickBackend::AxisPosition(32767), 65535u);
    EXPECT_EQ(SdlJoystickBackend::AxisPosition(0), 32768u);
}

TEST(SdlJoystick, HatDirectionsBecomeHundredthsOfDegrees) {
    EXPECT_EQ(SdlJoystickBackend::HatPointOfView(SDL_HAT_UP), 0u);
    EXPECT_EQ(SdlJoystickBackend::HatPointOfView(SDL_HAT_RIGHTUP), 4500u);
    EXPECT_EQ(SdlJoystickBackend::HatPointOfView(SDL_HAT_RIGHT), 9000u);
    EXPECT_EQ(SdlJoystickBackend::HatPointOfView(SDL_HAT_RIGHTDOWN), 13500u);
    EXPECT_EQ(SdlJoystickBackend::HatPointOfView(SDL_HAT_DOWN), 18000u);
    EXPECT_EQ(SdlJoystickBackend::HatPointOfView(SDL_HAT_LEFTDOWN), 22500u);
    EXPECT_EQ(SdlJoystickBackend::HatPointOfView(SDL_HAT_LEFT), 27000u);
    EXPECT_EQ(SdlJoystickBackend::HatPointOfView(SDL_HAT_LEFTUP), 31500u);
    // Centred reads as 360 degrees or more, which the device turns into "no hat".
    EXPECT_GE(SdlJoystickBackend::HatPointOfView(SDL_HAT_CENTERED), 36000u);
}

TEST(SdlJoystick, DevicesBeyondTheListedOnesAreRefused) {
    SdlJoystickBackend backend;
    const int count = backend.DeviceCount();
    EXPECT_GE(count, 0);
    JoystickCapabilities caps;
    JoystickPosition position;
    EXPECT_FALSE(backend.GetCapabilities(count, caps));
    EXPECT_FALSE(backend.GetPosition(count, position));
    EXPECT_FALSE(backend.GetPosition(-1, position));
    if (count == 0) {
        C3dJoyInDev device(&backend, nullptr);
        EXPECT_FALSE(device.IsPresent());
        EXPECT_EQ(device.GetName(), "Joystick (not present)");
    }
}
