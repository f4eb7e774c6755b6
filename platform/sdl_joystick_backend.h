#pragma once

#include <cstdint>

#include "scene/input/joystick_backend.h"

struct _SDL_Joystick;

namespace platform {

using namespace ::scene::input;

// Joystick services over SDL2's joystick subsystem (nothing else of SDL is started). The
// first joystick SDL lists is device 0; it is opened on first use and closed with the backend.
class SdlJoystickBackend : public JoystickBackend {
  public:
    SdlJoystickBackend();
    ~SdlJoystickBackend() override;
    SdlJoystickBackend(const SdlJoystickBackend&) = delete;
    SdlJoystickBackend& operator=(const SdlJoystickBackend&) = delete;

    int DeviceCount() override;
    bool GetCapabilities(int device, JoystickCapabilities& caps) override;
    bool GetPosition(int device, JoystickPosition& position) override;

    // SDL's signed axis value (-32768..32767) as a position 0..65535.
    static uint32_t AxisPosition(int16_t value);
    // SDL's hat bits as hundredths of a degree clockwise from forward; 0xFFFF when centred.
    static uint32_t HatPointOfView(uint8_t hat);

  private:
    bool Open(int device);

    bool initialised_ = false;
    _SDL_Joystick* joystick_ = nullptr;
    int openDevice_ = -1;
};

}  // namespace platform
