#include <gtest/gtest.h>

#include "scene/input/joystick_input_device.h"
#include "scene/input/memory_settings_store.h"

using namespace ::scene::input;

namespace {

class FakeJoystick : public JoystickBackend {
  public:
    int count = 1;
    bool readable = true;
    JoystickCapabilities caps{
        .productName = "Test Stick", .registryKey = "", .hasPointOfView = true};
    JoystickPosition position;
    std::optional<std::string> oemName;
    std::string askedKey;
    std::string askedValue;

    int DeviceCount() override { return count; }
    bool GetCapabilities(int, JoystickCapabilities& out) override {
        out = caps;
        return true;
    }
    bool GetPosition(int, JoystickPosition& out) override {
        out = position;
        return readable;
    }
    std::optional<std::string> ReadMachineString(const std::string& key,
                                                 const std::string& value) override {
        askedKey = key;
        askedValue = value;
        return oemName;
    }
};

InputState ReadState(C3dJoyInDev& joystick) {
    InputState state;
    joystick.Read(state);
    return state;
}

TEST(JoystickTest, AbsentWithoutBackendDeviceOrFirstReading) {
    C3dJoyInDev none(nullptr, nullptr);
    EXPECT_FALSE(none.IsPresent());
    EXPECT_EQ(none.GetName(), "Joystick (not present)");
    EXPECT_EQ(ReadState(none).x, 0.0);

    FakeJoystick noDevice;
    noDevice.count = 0;
    EXPECT_FALSE(C3dJoyInDev(&noDevice, nullptr).IsPresent());

    FakeJoystick unreadable;
    unreadable.readable = false;
    C3dJoyInDev stick(&unreadable, nullptr);
    EXPECT_FALSE(stick.IsPresent());
    EXPECT_EQ(stick.GetName(), "Joystick (not present)");
}

TEST(JoystickTest, NameIsTheProductOrTheOemNameFromTheMachine) {
    FakeJoystick backend;
    EXPECT_EQ(C3dJoyInDev(&backend, nullptr).GetName(), "Test Stick");
    backend.caps.registryKey = "Msjstick.drv<0000>";
    backend.oemName = "Fancy Stick";
    EXPECT_EQ(C3dJoyInDev(&backend, nullptr).GetName(), "Fancy Stick");
    EXPECT_EQ(backend.askedKey,
              "System\\CurrentControlSet\\control\\MediaResources\\joystick\\Msjstick.drv<0000>"
              "\\CurrentJoystickSettings");
    EXPECT_EQ(backend.askedValue, "Joystick1OEMName");
}

TEST(JoystickTest, DeadBandAndSensitivity) {
    AxisSetting axis;  // dead 10, sensitivity 1.0
    EXPECT_EQ(C3dJoyInDev::AxisDemand(axis, 32767), 0.0);
    EXPECT_EQ(C3dJoyInDev::AxisDemand(axis, 36044), 0.0);  // top of the band
    EXPECT_NEAR(C3dJoyInDev::AxisDemand(axis, 65535), (65535.0 - 36044.0) / 65535.0, 1e-9);
    EXPECT_NEAR(C3dJoyInDev::AxisDemand(axis, 65535), 0.45, 0.001);
    EXPECT_NEAR(C3dJoyInDev::AxisDemand(axis, 0), -29491.0 / 65535.0, 1e-9);
    axis.sens = -0.5;
    EXPECT_NEAR(C3dJoyInDev::AxisDemand(axis, 65535), -14745.0 / 65535.0, 1e-9);
    axis.dead = 0;
    axis.sens = 1.0;
    EXPECT_NEAR(C3dJoyInDev::AxisDemand(axis, 32768), 1.0 / 65535.0, 1e-12);
}

TEST(JoystickTest, ButtonsGateTheAxesThatUseThem) {
    FakeJoystick backend;
    backend.caps.productName = "Microsoft SideWinder 3D Pro";
    C3dJoyInDev stick(&backend, nullptr);
    // Axis 5 (rz) reads input 0 (X) only while button 4 is held; axis 0 (x) reads X only while
    // no button of another axis is held.
    backend.position.axes[0] = 65535;
    InputState free = ReadState(stick);
    EXPECT_GT(free.x, 0.4);
    EXPECT_EQ(free.rz, 0.0);
    backend.position.buttons = 1u << 3;
    InputState held = ReadState(stick);
    EXPECT_EQ(held.x, 0.0);
    EXPECT_LT(held.rz, -0.4);  // sensitivity -1 on this device
    EXPECT_EQ(held.buttons, 1u << 3);
}

TEST(JoystickTest, HatAngleFromThePointOfView) {
    FakeJoystick backend;
    C3dJoyInDev stick(&backend, nullptr);
    backend.position.pointOfView = 9000;
    EXPECT_EQ(ReadState(stick).hat, 90.0);
    backend.position.pointOfView = 36000;
    EXPECT_EQ(ReadState(stick).hat, -1.0);
    backend.caps.hasPointOfView = false;
    C3dJoyInDev noHat(&backend, nullptr);
    backend.position.pointOfView = 9000;
    EXPECT_EQ(ReadState(noHat).hat, -1.0);
}

TEST(JoystickTest, DefaultsAndTheKnownDevicesAdjustments) {
    auto plain = C3dJoyInDev::DefaultAxisSettings("Any Stick");
    for (int axis = 0; axis < 6; ++axis) {
        EXPECT_EQ(plain[axis].input, axis);
        EXPECT_EQ(plain[axis].button, 0);
        EXPECT_EQ(plain[axis].dead, 10);
        EXPECT_EQ(plain[axis].sens, 1.0);
    }
    auto sidewinder = C3dJoyInDev::DefaultAxisSettings("Microsoft SideWinder 3D Pro");
    EXPECT_EQ(sidewinder[0].sens, 1.0);
    EXPECT_EQ(sidewinder[1].sens, -1.0);
    EXPECT_EQ(sidewinder[4].sens, 1.0);
    EXPECT_EQ(sidewinder[3].input, 1);
    EXPECT_EQ(sidewinder[3].button, 4);
    EXPECT_EQ(sidewinder[4].input, 3);
    EXPECT_EQ(sidewinder[5].input, 0);
    EXPECT_EQ(sidewinder[5].button, 4);
    auto spaceball = C3dJoyInDev::DefaultAxisSettings("Spaceball");
    EXPECT_EQ(spaceball[2].dead, 30);
    EXPECT_EQ(spaceball[1].sens, -1.0);
    EXPECT_EQ(spaceball[4].sens, -1.0);
    EXPECT_EQ(spaceball[0].sens, 1.0);
}

TEST(JoystickTest, ProfileEntriesReplaceTheDefaultsOnlyWhenAxisZeroHasAnInput) {
    FakeJoystick backend;
    MemorySettingsStore profile;
    std::string axis1 = C3dJoyInDev::AxisSection("Test Stick", 1);
    EXPECT_EQ(axis1, "\\Settings\\Joystick\\Test Stick\\Axis1");
    profile.WriteInt(axis1, "Dead", 50);
    EXPECT_EQ(C3dJoyInDev(&backend, &profile).GetAxisSettings()[1].dead, 10);

    profile.WriteInt(C3dJoyInDev::AxisSection("Test Stick", 0), "Input", 2);
    profile.WriteString(axis1, "Sens", "-2.5");
    profile.WriteInt(C3dJoyInDev::AxisSection("Test Stick", 2), "Input", 99);  // out of range
    auto axes = C3dJoyInDev(&backend, &profile).GetAxisSettings();
    EXPECT_EQ(axes[0].input, 2);
    EXPECT_EQ(axes[1].dead, 50);
    EXPECT_EQ(axes[1].sens, -2.5);
    EXPECT_EQ(axes[1].input, 1);
    EXPECT_EQ(axes[2].input, 2);  // the axis's own number, not 99
}

}  // namespace
