#include "editor/shell/skeleton_controller.h"

#include "editor/model/model_document.h"
#include "editor/shell/main_frame.h"
#include "editor/skeleton/skeleton_drag.h"

namespace editor::shell {

using namespace ::editor::model;
using namespace ::editor::skeleton;

CSkeletonController::CSkeletonController(CMainFrame& frame, JoystickBackend* joystick,
                                         const SettingsStore* profile)
    : C3dController(joystick, profile), frame_(frame) {}

DeviceDemands CSkeletonController::KeyboardSteps(const InputState& state) {
    DeviceDemands steps;
    double* out[] = {&steps.x, &steps.y, &steps.z, &steps.rx, &steps.ry, &steps.rz};
    for (int axis = 0; axis < kAxisCount; ++axis) {
        *out[axis] =
            KeyboardStep(state.Demand(axis), previousKeys_.Demand(axis), C3dKeyInDev::kRamp);
    }
    previousKeys_ = state;
    return steps;
}

void CSkeletonController::Apply(const InputState& state, C3dFrame* target) {
    if (target == nullptr) {
        return;
    }
    DeviceDemands demands{state.x, state.y, state.z, state.rx, state.ry, state.rz};
    if (GetDeviceIndex() == kDeviceKeyboard) {
        demands = KeyboardSteps(state);
    }
    // An idle device asks for nothing; leave the scene alone.
    if (demands.x == 0 && demands.y == 0 && demands.z == 0 && demands.rx == 0 && demands.ry == 0 &&
        demands.rz == 0) {
        return;
    }
    SceneMotion motion = MapDeviceToScene(demands, frame_.cameraView);
    ApplyDrag(frame_.Document(), *target, motion, frame_.options.lockPosition);
}

}  // namespace editor::shell
