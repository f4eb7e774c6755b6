#include "platform/sdl_joystick_backend.h"

#include <SDL.h>

#include <algorithm>

namespace platform {

SdlJoystickBackend::SdlJoystickBackend() {
    // The window is Qt's, so SDL would otherwise think the program is in the background and
    // hold back joystick input.
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    initialised_ = SDL_InitSubSystem(SDL_INIT_JOYSTICK) == 0;
    if (initialised_) {
        // Positions are read on demand; no event queue is pumped.
        SDL_JoystickEventState(SDL_IGNORE);
    }
}

SdlJoystickBackend::~SdlJoystickBackend() {
    if (joystick_ != nullptr) {
        SDL_JoystickClose(joystick_);
    }
    if (initialised_) {
        SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
    }
}

int SdlJoystickBackend::DeviceCount() {
    return initialised_ ? std::max(SDL_NumJoysticks(), 0) : 0;
}

bool SdlJoystickBackend::Open(int device) {
    if (!initialised_ || device < 0 || device >= DeviceCount()) {
        return false;
    }
    if (joystick_ != nullptr && openDevice_ == device && SDL_JoystickGetAttached(joystick_)) {
        return true;
    }
    if (joystick_ != nullptr) {
        SDL_JoystickClose(joystick_);
    }
    joystick_ = SDL_JoystickOpen(device);
    openDevice_ = joystick_ != nullptr ? device : -1;
    return joystick_ != nullptr;
}

bool SdlJoystickBackend::GetCapabilities(int device, JoystickCapabilities& caps) {
    if (!Open(device)) {
        return false;
    }
    const char* name = SDL_JoystickName(joystick_);
    caps.productName = name != nullptr ? name : "";
    caps.registryKey.clear();
    caps.hasPointOfView = SDL_JoystickNumHats(joystick_) > 0;
    caps.reportsButtons = SDL_JoystickNumButtons(joystick_) > 0;
    return true;
}

bool SdlJoystickBackend::GetPosition(int device, JoystickPosition& position) {
    if (!Open(device)) {
        return false;
    }
    SDL_JoystickUpdate();
    JoystickPosition reading;
    const int axes = std::min<int>(SDL_JoystickNumAxes(joystick_), reading.axes.size());
    for (int axis = 0; axis < axes; ++axis) {
        reading.axes[axis] = AxisPosition(SDL_JoystickGetAxis(joystick_, axis));
    }
    const int buttons = std::min(SDL_JoystickNumButtons(joystick_), 32);
    for (int button = 0; button < buttons; ++button) {
        if (SDL_JoystickGetButton(joystick_, button)) {
            reading.buttons |= 1u << button;
        }
    }
    if (SDL_JoystickNumHats(joystick_) > 0) {
        reading.pointOfView = HatPointOfView(SDL_JoystickGetHat(joystick_, 0));
    }
    position = reading;
    return true;
}

uint32_t SdlJoystickBackend::AxisPosition(int16_t value) {
    return static_cast<uint32_t>(static_cast<int32_t>(value) + 32768);
}

uint32_t SdlJoystickBackend::HatPointOfView(uint8_t hat) {
    switch (hat) {
        case SDL_HAT_UP:
            return 0;
        case SDL_HAT_RIGHTUP:
            return 4500;
        case SDL_HAT_RIGHT:
            return 9000;
        case SDL_HAT_RIGHTDOWN:
            return 13500;
        case SDL_HAT_DOWN:
            return 18000;
        case SDL_HAT_LEFTDOWN:
            return 22500;
        case SDL_HAT_LEFT:
            return 27000;
        case SDL_HAT_LEFTUP:
            return 31500;
        default:
            return 0xFFFF;
    }
}

}  // namespace platform
