#include "scene/input/input_device.h"

namespace scene::input {

double& InputState::Demand(int axis) {
    double* demands[] = {&x, &y, &z, &rx, &ry, &rz};
    return *demands[axis];
}

double InputState::Demand(int axis) const {
    return const_cast<InputState*>(this)->Demand(axis);
}

bool InputState::AsksForMotion() const {
    return x != 0.0 || y != 0.0 || z != 0.0 || rx != 0.0 || ry != 0.0 || rz != 0.0;
}

C3dInputDevice::C3dInputDevice(std::string name) : name_(std::move(name)) {}

void C3dInputDevice::Read(InputState& state) {
    state = InputState();
}

void C3dInputDevice::OnMessage(uint32_t, uint64_t, int64_t) {}

void C3dInputDevice::Configure(const ShowMessageFunction& showMessage) {
    if (showMessage) {
        showMessage("The device is not configurable");
    }
}

}  // namespace scene::input
