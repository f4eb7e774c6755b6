#include "scene/input/joystick_input_device.h"

#include <cstdlib>

#include "scene/input/settings_store.h"

namespace scene::input {

namespace {

constexpr const char* kOemKeyPrefix =
    "System\\CurrentControlSet\\control\\MediaResources\\joystick\\";
constexpr const char* kOemKeySuffix = "\\CurrentJoystickSettings";
constexpr const char* kOemNameValue = "Joystick1OEMName";
constexpr const char* kProfilePrefix = "\\Settings\\Joystick\\";
constexpr const char* kNotPresentName = "Joystick (not present)";
constexpr int kAxisRange = 65535;

bool ButtonHeld(uint32_t buttons, int button) {
    return button >= 1 && button <= 32 && (buttons >> (button - 1)) & 1u;
}

double ParseSensitivity(const std::string& text, double fallback) {
    char* end = nullptr;
    double value = std::strtod(text.c_str(), &end);
    return end == text.c_str() ? fallback : value;
}

}  // namespace

C3dJoyInDev::C3dJoyInDev(JoystickBackend* backend, const SettingsStore* profile)
    : C3dInputDevice(kNotPresentName), backend_(backend) {
    FindDevice();
    LoadAxisSettings(profile);
}

void C3dJoyInDev::FindDevice() {
    if (backend_ == nullptr || backend_->DeviceCount() < 1 ||
        !backend_->GetCapabilities(0, caps_) || !backend_->GetPosition(0, last_)) {
        present_ = false;
        name_ = kNotPresentName;
        return;
    }
    present_ = true;
    name_ = caps_.productName;
    if (!caps_.registryKey.empty()) {
        std::optional<std::string> oemName = backend_->ReadMachineString(
            kOemKeyPrefix + caps_.registryKey + kOemKeySuffix, kOemNameValue);
        if (oemName && !oemName->empty()) {
            name_ = *oemName;
        }
    }
}

std::string C3dJoyInDev::AxisSection(const std::string& deviceName, int axis) {
    return kProfilePrefix + deviceName + "\\Axis" + std::to_string(axis);
}

std::array<AxisSetting, 6> C3dJoyInDev::DefaultAxisSettings(const std::string& deviceName) {
    std::array<AxisSetting, 6> axes{};
    for (int axis = 0; axis < 6; ++axis) {
        axes[axis].input = axis;
    }
    if (deviceName == "Microsoft SideWinder 3D Pro") {
        for (int axis : {1, 2, 3, 5}) {
            axes[axis].sens = -1.0;
        }
        axes[3].input = 1;
        axes[3].button = 4;
        axes[4].input = 3;
        axes[5].input = 0;
        axes[5].button = 4;
    } else if (deviceName == "Spaceball") {
        for (AxisSetting& axis : axes) {
            axis.dead = 30;
        }
        axes[1].sens = -1.0;
        axes[4].sens = -1.0;
    }
    return axes;
}

void C3dJoyInDev::LoadAxisSettings(const SettingsStore* profile) {
    axes_ = DefaultAxisSettings(name_);
    if (profile == nullptr || !profile->HasEntry(AxisSection(name_, 0), "Input")) {
        return;
    }
    for (int axis = 0; axis < 6; ++axis) {
        std::string section = AxisSection(name_, axis);
        AxisSetting& setting = axes_[axis];
        setting.input = profile->GetInt(section, "Input", axis);
        setting.button = profile->GetInt(section, "Button", 0);
        setting.dead = profile->GetInt(section, "Dead", 10);
        setting.sens = ParseSensitivity(profile->GetString(section, "Sens", "1.0"), 1.0);
        // A stored value outside its range would index past the reading or invert the band.
        if (setting.input < 0 || setting.input > 5) {
            setting.input = axis;
        }
        if (setting.button < 0 || setting.button > 32) {
            setting.button = 0;
        }
        if (setting.dead < 0 || setting.dead > 100) {
            setting.dead = 10;
        }
    }
}

double C3dJoyInDev::AxisDemand(const AxisSetting& axis, uint32_t position) {
    const int64_t p = position > kAxisRange ? kAxisRange : position;
    const int64_t deadWidth = static_cast<int64_t>(axis.dead) * kAxisRange / 100;
    const int64_t low = (kAxisRange - deadWidth) / 2;
    const int64_t high = low + deadWidth;
    int64_t value = kCentre;
    if (p < low) {
        value = kCentre - static_cast<int64_t>((low - p) * axis.sens);
    } else if (p > high) {
        value = kCentre + static_cast<int64_t>((p - high) * axis.sens);
    }
    return static_cast<double>(value - static_cast<int64_t>(kCentre)) * kDemandPerStep;
}

bool C3dJoyInDev::AxisCounts(int axis, uint32_t buttons) const {
    if (axes_[axis].button != 0) {
        return ButtonHeld(buttons, axes_[axis].button);
    }
    for (int other = 0; other < 6; ++other) {
        if (other != axis && ButtonHeld(buttons, axes_[other].button)) {
            return false;
        }
    }
    return true;
}

void C3dJoyInDev::Read(InputState& state) {
    state = InputState();
    if (!present_ || backend_ == nullptr || !backend_->GetPosition(0, last_)) {
        return;
    }
    for (int axis = 0; axis < 6; ++axis) {
        uint32_t position =
            AxisCounts(axis, last_.buttons) ? last_.axes[axes_[axis].input] : kCentre;
        state.Demand(axis) = AxisDemand(axes_[axis], position);
    }
    if (caps_.hasPointOfView) {
        state.hat = last_.pointOfView >= 36000 ? -1.0 : last_.pointOfView / 100.0;
    }
    if (caps_.reportsButtons) {
        state.buttons = last_.buttons;
    }
}

}  // namespace scene::input
