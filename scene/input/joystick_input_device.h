#pragma once

#include <array>
#include <string>

#include "scene/input/input_device.h"
#include "scene/input/joystick_backend.h"

namespace scene::input {

class SettingsStore;

// How one output demand is read from the joystick.
struct AxisSetting {
    int input = 0;      // input axis 0..5: X, Y, Z, R, U, V
    int button = 0;     // 0: none; 1..32: the axis counts only while this button is held
    int dead = 10;      // dead band in percent of the axis range
    double sens = 1.0;  // sensitivity; negative reverses the axis
};

// Joystick 0. Its six axis settings come from the settings profile, under a section named
// after the device, or from defaults with adjustments for two known devices.
class C3dJoyInDev : public C3dInputDevice {
  public:
    static constexpr uint32_t kCentre = 32767;
    static constexpr double kDemandPerStep = 1.5259021896696422e-5;  // 1 / 65535

    // Both may be null: no backend means no joystick, no profile means the defaults.
    C3dJoyInDev(JoystickBackend* backend, const SettingsStore* profile);

    bool IsPresent() const { return present_; }
    const std::array<AxisSetting, 6>& GetAxisSettings() const { return axes_; }
    void SetAxisSettings(const std::array<AxisSetting, 6>& axes) { axes_ = axes; }

    void Read(InputState& state) override;

    // The demand of one axis setting at a position, with the button rule already decided.
    static double AxisDemand(const AxisSetting& axis, uint32_t position);
    // The profile section of an axis: "\Settings\Joystick\<name>\Axis<n>".
    static std::string AxisSection(const std::string& deviceName, int axis);
    // Defaults for a device, with the known devices' adjustments.
    static std::array<AxisSetting, 6> DefaultAxisSettings(const std::string& deviceName);

  private:
    void FindDevice();
    void LoadAxisSettings(const SettingsStore* profile);
    bool AxisCounts(int axis, uint32_t buttons) const;

    JoystickBackend* backend_ = nullptr;
    bool present_ = false;
    JoystickCapabilities caps_;
    std::array<AxisSetting, 6> axes_{};
    JoystickPosition last_;
};

}  // namespace scene::input
