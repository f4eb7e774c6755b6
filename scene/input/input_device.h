#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "scene/input/input_state.h"

namespace scene::input {

// Shows a message to the user; the devices have no window of their own.
using ShowMessageFunction = std::function<void(const std::string&)>;

// Base of the input devices: a name, a Read per step and the view's messages.
class C3dInputDevice {
  public:
    explicit C3dInputDevice(std::string name = "Generic 3D Input Device");
    virtual ~C3dInputDevice() = default;

    const std::string& GetName() const { return name_; }

    // Fills the state for this step.
    virtual void Read(InputState& state);
    // A window message passed on by the view.
    virtual void OnMessage(uint32_t message, uint64_t wParam, int64_t lParam);
    // Shows the device's own configuration; a device without one says so.
    virtual void Configure(const ShowMessageFunction& showMessage);

  protected:
    std::string name_;
};

}  // namespace scene::input
