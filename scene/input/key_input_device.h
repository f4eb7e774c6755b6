#pragma once

#include "scene/input/input_device.h"

namespace scene::input {

// The keyboard: arrows, page keys, Home/End, Insert/Delete and the numeric pad ramp the six
// demands while a key repeats; Shift and Ctrl select other demands for the arrows; the
// numeric pad's ring of keys sets the hat.
class C3dKeyInDev : public C3dInputDevice {
  public:
    static constexpr double kRamp = 0.02;

    C3dKeyInDev() : C3dInputDevice("Keyboard") {}

    void Read(InputState& state) override;
    void OnMessage(uint32_t message, uint64_t wParam, int64_t lParam) override;

    bool ShiftDown() const { return shift_; }
    bool ControlDown() const { return control_; }

  private:
    void OnKeyDown(uint32_t key);
    void OnKeyUp(uint32_t key);
    void Ramp(int axis, double sign);

    InputState demands_;
    bool shift_ = false;
    bool control_ = false;
};

}  // namespace scene::input
