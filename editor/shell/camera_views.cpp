// The six camera presets of the Camera menu, each checked while it is the current view, and
// "Zoom to Fit".
#include <utility>

#include "editor/shell/camera_navigation.h"
#include "editor/shell/command_ids.h"
#include "editor/shell/command_router.h"
#include "editor/shell/main_frame.h"

namespace editor::shell {

void RegisterCameraViewCommands(CMainFrame& frame, CommandRouter& router) {
    static constexpr int kPresetCommands[] = {ID_CAMERA_FRONT, ID_CAMERA_REAR, ID_CAMERA_LEFT,
                                              ID_CAMERA_RIGHT, ID_CAMERA_TOP,  ID_CAMERA_BOTTOM};
    for (int preset = 0; preset < 6; ++preset) {
        CommandHandler handler;
        handler.run = [&frame, preset] { frame.SetCameraView(preset); };
        handler.isChecked = [&frame, preset] { return frame.cameraView == preset; };
        router.Bind(kPresetCommands[preset], std::move(handler));
    }
    router.Bind(ID_VIEW_ZOOM_TO_FIT, {.run = [&frame] { ZoomCameraToFit(frame); }});
}

}  // namespace editor::shell
