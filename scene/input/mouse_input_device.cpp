#include "scene/input/mouse_input_device.h"

#include <cstdlib>

#include "scene/input/input_message.h"

namespace scene::input {

void C3dMouseInDev::OnMessage(uint32_t message, uint64_t wParam, int64_t lParam) {
    switch (message) {
        case kMsgLeftButtonDown:
            // A new drag starts from where the button went down, not from the last drag's end.
            dragging_ = true;
            currentX_ = MouseX(lParam);
            currentY_ = MouseY(lParam);
            hasLast_ = false;
            keyFlags_ = wParam;
            break;
        case kMsgLeftButtonUp:
            dragging_ = false;
            break;
        case kMsgMouseMove:
            if (dragging_) {
                currentX_ = MouseX(lParam);
                currentY_ = MouseY(lParam);
                keyFlags_ = wParam;
            }
            break;
        default:
            break;
    }
}

int C3dMouseInDev::RemoveDeadZone(int delta) {
    if (delta > kDeadZone) {
        return delta - kDeadZone;
    }
    if (delta < -kDeadZone) {
        return delta + kDeadZone;
    }
    return 0;
}

void C3dMouseInDev::Read(InputState& state) {
    int dx = 0;
    int dy = 0;
    if (hasLast_) {
        dx = currentX_ - lastX_;
        dy = currentY_ - lastY_;
    }
    if (std::abs(dx) > kMaxJump || std::abs(dy) > kMaxJump) {
        dx = dy = 0;
    }
    dx = RemoveDeadZone(dx);
    dy = RemoveDeadZone(dy);

    demands_ = InputState();
    bool shift = (keyFlags_ & kMouseShift) != 0;
    bool control = (keyFlags_ & kMouseControl) != 0;
    double moveX = dx * kScale;
    double moveY = dy * kScale;
    if (shift) {
        demands_.rz = -moveX;
        demands_.z = -moveY;
    } else if (control) {
        demands_.ry = -moveX;
        demands_.rx = -moveY;
    } else {
        demands_.x = moveX;
        demands_.y = -moveY;
    }
    lastX_ = currentX_;
    lastY_ = currentY_;
    hasLast_ = true;
    state = demands_;
}

}  // namespace scene::input
