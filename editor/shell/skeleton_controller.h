#pragma once

#include "scene/input/controller.h"

namespace editor::shell {

using namespace ::scene::input;

class CMainFrame;

// The editor's own controller: turns each device reading into a move in the scene as seen
// through the current camera preset, and drags joints, bones and objects with it.
class CSkeletonController : public C3dController {
  public:
    CSkeletonController(CMainFrame& frame, JoystickBackend* joystick, const SettingsStore* profile);
    void Apply(const InputState& state, C3dFrame* target) override;

  private:
    CMainFrame& frame_;
};

}  // namespace editor::shell
