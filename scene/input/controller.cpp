#include "scene/input/controller.h"

#include "scene/frame.h"
#include "scene/matrix.h"

namespace scene::input {

using namespace ::scene;

C3dController::C3dController(JoystickBackend* joystick, const SettingsStore* profile)
    : joystick_(joystick, profile) {}

C3dController::~C3dController() {
    if (view_ != nullptr && view_->GetListener() == this) {
        view_->SetListener(nullptr);
    }
}

void C3dController::UseJoystick(JoystickBackend* joystick, const SettingsStore* profile) {
    joystick_ = C3dJoyInDev(joystick, profile);
    if (deviceIndex_ == kDeviceJoystick && !joystick_.IsPresent()) {
        SelectDevice(kDeviceKeyboard);
    }
}

bool C3dController::Create(C3dView* view, C3dTargetCallback callback, void* argument) {
    if (view == nullptr || callback == nullptr) {
        return false;
    }
    if (view_ != nullptr && view_ != view && view_->GetListener() == this) {
        view_->SetListener(nullptr);
    }
    view_ = view;
    view_->SetListener(this);
    callback_ = callback;
    argument_ = argument;
    state_ = InputState();
    SelectDevice(kDeviceKeyboard);
    return true;
}

bool C3dController::SelectDevice(int index) {
    switch (index) {
        case kDeviceKeyboard:
            device_ = &keyboard_;
            deviceIndex_ = kDeviceKeyboard;
            return true;
        case kDeviceMouse:
            device_ = &mouse_;
            deviceIndex_ = kDeviceMouse;
            return true;
        case kDeviceJoystick:
            if (joystick_.IsPresent()) {
                device_ = &joystick_;
                deviceIndex_ = kDeviceJoystick;
            } else {
                device_ = &keyboard_;
                deviceIndex_ = kDeviceKeyboard;
            }
            return true;
        default:
            return false;
    }
}

bool C3dController::Update() {
    if (callback_ == nullptr) {
        return false;
    }
    C3dFrame* target = callback_(argument_);
    if (target == nullptr) {
        return false;
    }
    device_->Read(state_);
    Apply(state_, target);
    return state_.AsksForMotion();
}

bool C3dController::IsActive() const {
    if (callback_ == nullptr || callback_(argument_) == nullptr) {
        return false;
    }
    return deviceIndex_ == kDeviceJoystick || state_.AsksForMotion() ||
           (deviceIndex_ == kDeviceMouse && mouse_.IsDragging());
}

const C3dFrame* C3dController::GetReferenceFrame() const {
    if (reference_ != nullptr) {
        return reference_;
    }
    if (view_ != nullptr && view_->GetStage() != nullptr) {
        return &view_->GetStage()->GetCamera();
    }
    return nullptr;
}

void C3dController::OnViewMessage(uint32_t message, uint64_t wParam, int64_t lParam) {
    device_->OnMessage(message, wParam, lParam);
}

void C3dPosCtlr::Apply(const InputState& state, C3dFrame* target) {
    const C3dFrame* reference = GetReferenceFrame();
    Vector position = target->GetPosition(reference);
    position.AddInPlace(Vector(0.1 * state.x, 0.1 * state.y, 0.1 * state.z));
    target->SetPosition(position, reference);

    if (state.rx == 0.0 && state.ry == 0.0 && state.rz == 0.0) {
        return;
    }
    Vector direction;
    Vector up;
    if (!target->GetOrientation(reference, direction, up)) {
        return;
    }
    C3dMatrix turn;
    turn.Rotate(-3.0 * state.rx, -3.0 * state.ry, -3.0 * state.rz);
    target->SetOrientation(turn.TransformDirection(direction), turn.TransformDirection(up),
                           reference);
}

void C3dFlyCtlr::Apply(const InputState& state, C3dFrame* target) {
    target->AddRotation(C3dCombine::Before, Vector(1.0, 0.0, 0.0), state.y / 3.0);
    target->AddRotation(C3dCombine::Before, Vector(0.0, 0.0, 1.0), -state.x / 3.0);
    target->AddRotation(C3dCombine::Before, Vector(0.0, 1.0, 0.0), 0.2 * state.ry);

    Vector direction;
    Vector up;
    if (!target->GetOrientation(nullptr, direction, up)) {
        return;
    }
    Vector position = target->GetPosition();
    position.AddInPlace(Vector::Scaled(direction, 0.1 * state.z));
    target->SetPosition(position);
}

}  // namespace scene::input
