#pragma once

#include <string>

#include "scene/input/input_state.h"
#include "scene/input/joystick_input_device.h"
#include "scene/input/key_input_device.h"
#include "scene/input/mouse_input_device.h"
#include "scene/view.h"

#include "scene/forward.h"

namespace scene::input {

using namespace ::scene;

class SettingsStore;

// Names the frame to move on each step (none: nothing moves).
using C3dTargetCallback = C3dFrame* (*)(void* argument);

enum InputDeviceIndex : int { kDeviceKeyboard = 0, kDeviceMouse = 1, kDeviceJoystick = 2 };

// Reads one of its three devices once per idle step and turns the reading into a move of the
// target frame. Subclasses decide what a move is (Apply).
class C3dController : public C3dViewListener {
  public:
    // The joystick's platform services and the profile holding its axis settings; either may be
    // null (no joystick; default axis settings).
    explicit C3dController(JoystickBackend* joystick = nullptr,
                           const SettingsStore* profile = nullptr);
    ~C3dController() override;
    C3dController(const C3dController&) = delete;
    C3dController& operator=(const C3dController&) = delete;

    // Looks for the joystick again through these services (either may be null); the keyboard
    // takes over when the joystick was in use and is no longer present.
    void UseJoystick(JoystickBackend* joystick, const SettingsStore* profile);

    // Listens to the view's messages and starts with the keyboard; fails without a view or a
    // callback.
    bool Create(C3dView* view, C3dTargetCallback callback, void* argument);

    // 0 keyboard, 1 mouse, 2 joystick (the keyboard when no joystick is present); any other
    // index fails and keeps the current device.
    bool SelectDevice(int index);
    int GetDeviceIndex() const { return deviceIndex_; }
    C3dInputDevice& GetDevice() { return *device_; }
    const std::string& GetDeviceName() const { return device_->GetName(); }

    // One idle step: read the device and move the target, if one is named. True when the
    // reading asked for motion of a target (the view then needs drawing).
    bool Update();
    // Whether the device may move something at the next step, so that it should be polled
    // at a steady rate: the joystick always (it sends no messages), the keyboard and the
    // mouse while their last reading asked for motion or a drag is held.
    bool IsActive() const;
    // Moves the target by one reading.
    virtual void Apply(const InputState& state, C3dFrame* target) = 0;

    // Frame the moves are expressed in; none: the stage's camera of the view when there is
    // one, else the target's parent.
    void SetReferenceFrame(const C3dFrame* frame) { reference_ = frame; }
    const C3dFrame* GetReferenceFrame() const;

    void OnViewMessage(uint32_t message, uint64_t wParam, int64_t lParam) override;

    C3dKeyInDev& Keyboard() { return keyboard_; }
    C3dMouseInDev& Mouse() { return mouse_; }
    C3dJoyInDev& Joystick() { return joystick_; }
    const InputState& LastState() const { return state_; }
    C3dView* GetView() const { return view_; }

  private:
    C3dJoyInDev joystick_;
    C3dMouseInDev mouse_;
    C3dKeyInDev keyboard_;
    C3dInputDevice* device_ = &keyboard_;
    int deviceIndex_ = kDeviceKeyboard;
    C3dView* view_ = nullptr;
    C3dTargetCallback callback_ = nullptr;
    void* argument_ = nullptr;
    const C3dFrame* reference_ = nullptr;
    InputState state_;
};

// Moves and turns the target in place, in the reference frame's coordinates.
class C3dPosCtlr : public C3dController {
  public:
    using C3dController::C3dController;
    void Apply(const InputState& state, C3dFrame* target) override;
};

// Flies the target along its own direction, turning it as it goes.
class C3dFlyCtlr : public C3dController {
  public:
    using C3dController::C3dController;
    void Apply(const InputState& state, C3dFrame* target) override;
};

}  // namespace scene::input
