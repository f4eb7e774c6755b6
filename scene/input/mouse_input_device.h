#pragma once

#include "scene/input/input_device.h"

namespace scene::input {

// The mouse: while the left button is held, the cursor's movement between two reads becomes
// translation (or, with Shift or Ctrl, rotation) demands.
class C3dMouseInDev : public C3dInputDevice {
  public:
    // A jump larger than this between two reads (a warp, a lost capture) moves nothing.
    static constexpr int kMaxJump = 100;
    // Small movements within this many pixels are hand tremor, not intent.
    static constexpr int kDeadZone = 3;
    static constexpr double kScale = 0.1;

    C3dMouseInDev() : C3dInputDevice("Mouse") {}

    void Read(InputState& state) override;
    void OnMessage(uint32_t message, uint64_t wParam, int64_t lParam) override;

    bool IsDragging() const { return dragging_; }

  private:
    static int RemoveDeadZone(int delta);

    InputState demands_;
    // No last position yet: the first read after a drag starts moves nothing.
    bool hasLast_ = false;
    int lastX_ = 0;
    int lastY_ = 0;
    int currentX_ = 0;
    int currentY_ = 0;
    uint64_t keyFlags_ = 0;
    bool dragging_ = false;
};

}  // namespace scene::input
