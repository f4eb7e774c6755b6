#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace scene::input {

// What the platform reports about joystick 0.
struct JoystickCapabilities {
    std::string productName;
    // The device's key among the machine's joystick settings (for the OEM name); may be empty.
    std::string registryKey;
    bool hasPointOfView = false;
    bool reportsButtons = true;
};

// One reading: six axis positions 0..65535 (X, Y, Z, R, U, V), button bits (button n is bit
// n - 1) and the point-of-view hat in hundredths of a degree (36000 or more when centred).
struct JoystickPosition {
    std::array<uint32_t, 6> axes{32767, 32767, 32767, 32767, 32767, 32767};
    uint32_t buttons = 0;
    uint32_t pointOfView = 0xFFFF;
};

// The platform's joystick services; the window supplies one, tests supply a fake.
class JoystickBackend {
  public:
    virtual ~JoystickBackend() = default;

    // Number of joysticks the platform can address; 0 when there is no joystick support.
    virtual int DeviceCount() = 0;
    virtual bool GetCapabilities(int device, JoystickCapabilities& caps) = 0;
    virtual bool GetPosition(int device, JoystickPosition& position) = 0;
    // A text value of the machine's settings, or nothing (the default: no such store).
    virtual std::optional<std::string> ReadMachineString(const std::string& keyPath,
                                                         const std::string& valueName) {
        (void)keyPath;
        (void)valueName;
        return std::nullopt;
    }
};

}  // namespace scene::input
