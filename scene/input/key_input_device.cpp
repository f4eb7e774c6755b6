#include "scene/input/key_input_device.h"

#include <vector>

#include "scene/input/input_message.h"

namespace scene::input {

namespace {

// The demand a key drives (and its direction) with no modifier, with Shift and with Ctrl;
// axis -1 where the key does nothing.
struct KeyBinding {
    uint32_t key;
    int axis[3];
    double sign[3];
};

constexpr KeyBinding kBindings[] = {
    {kKeyLeft, {kAxisX, kAxisRz, kAxisRy}, {-1, -1, -1}},
    {kKeyRight, {kAxisX, kAxisRz, kAxisRy}, {+1, +1, +1}},
    {kKeyUp, {kAxisY, kAxisZ, kAxisRx}, {+1, +1, +1}},
    {kKeyDown, {kAxisY, kAxisZ, kAxisRx}, {-1, -1, -1}},
    {kKeyPageUp, {kAxisRz, kAxisRz, kAxisRz}, {+1, +1, +1}},
    {kKeyPageDown, {kAxisRz, kAxisRz, kAxisRz}, {-1, -1, -1}},
    {kKeyHome, {kAxisRy, kAxisRy, kAxisRy}, {+1, +1, +1}},
    {kKeyEnd, {kAxisRy, kAxisRy, kAxisRy}, {-1, -1, -1}},
    {kKeyInsert, {kAxisRx, kAxisRx, kAxisRx}, {+1, +1, +1}},
    {kKeyDelete, {kAxisRx, kAxisRx, kAxisRx}, {-1, -1, -1}},
    {kKeySubtract, {kAxisZ, kAxisZ, kAxisZ}, {+1, +1, +1}},
    {kKeyAdd, {kAxisZ, kAxisZ, kAxisZ}, {-1, -1, -1}},
};

struct HatKey {
    uint32_t key;
    double angle;
};

constexpr HatKey kHatKeys[] = {
    {kKeyNumpad8, 0.0},   {kKeyNumpad9, 45.0},  {kKeyNumpad6, 90.0},  {kKeyNumpad3, 135.0},
    {kKeyNumpad2, 180.0}, {kKeyNumpad1, 225.0}, {kKeyNumpad4, 270.0}, {kKeyNumpad7, 315.0},
};

const KeyBinding* FindBinding(uint32_t key) {
    for (const KeyBinding& binding : kBindings) {
        if (binding.key == key) {
            return &binding;
        }
    }
    return nullptr;
}

const HatKey* FindHatKey(uint32_t key) {
    for (const HatKey& hat : kHatKeys) {
        if (hat.key == key) {
            return &hat;
        }
    }
    return nullptr;
}

}  // namespace

void C3dKeyInDev::Read(InputState& state) {
    state = demands_;
}

void C3dKeyInDev::OnMessage(uint32_t message, uint64_t wParam, int64_t) {
    if (message == kMsgKeyDown) {
        OnKeyDown(static_cast<uint32_t>(wParam));
    } else if (message == kMsgKeyUp) {
        OnKeyUp(static_cast<uint32_t>(wParam));
    }
}

void C3dKeyInDev::Ramp(int axis, double sign) {
    double& demand = demands_.Demand(axis);
    // A press against the current direction first stops the motion.
    if (demand * sign < 0.0) {
        demand = 0.0;
        return;
    }
    demand += sign * kRamp;
}

void C3dKeyInDev::OnKeyDown(uint32_t key) {
    if (key == kKeyShift) {
        shift_ = true;
        return;
    }
    if (key == kKeyControl) {
        control_ = true;
        return;
    }
    if (const HatKey* hat = FindHatKey(key)) {
        demands_.hat = hat->angle;
        return;
    }
    if (const KeyBinding* binding = FindBinding(key)) {
        int column = shift_ ? 1 : (control_ ? 2 : 0);
        Ramp(binding->axis[column], binding->sign[column]);
    }
}

void C3dKeyInDev::OnKeyUp(uint32_t key) {
    if (key == kKeyShift) {
        shift_ = false;
        return;
    }
    if (key == kKeyControl) {
        control_ = false;
        return;
    }
    if (FindHatKey(key) != nullptr) {
        demands_.hat = -1.0;
        return;
    }
    if (const KeyBinding* binding = FindBinding(key)) {
        // Every demand the key can drive stops, so that letting go of Shift or Ctrl before the
        // key cannot leave a motion running.
        for (int axis : binding->axis) {
            demands_.Demand(axis) = 0.0;
        }
    }
}

}  // namespace scene::input
