#pragma once

#include "editor/skeleton/drag_math.h"
#include "scene/input/controller.h"

namespace editor::shell {

using namespace ::scene::input;
using namespace ::editor::skeleton;

class CMainFrame;

// The editor's own controller: turns each device reading into a move in the scene as seen
// through the current camera preset, and drags joints, bones and objects with it.
class CSkeletonController : public C3dController {
  public:
    CSkeletonController(CMainFrame& frame, JoystickBackend* joystick, const SettingsStore* profile);
    void Apply(const InputState& state, C3dFrame* target) override;

  private:
    // The keyboard's ramped demands as steps: one small step per press, then faster while held.
    DeviceDemands KeyboardSteps(const InputState& state);

    CMainFrame& frame_;
    InputState previousKeys_;
};

}  // namespace editor::shell
