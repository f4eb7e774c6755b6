#pragma once

#include <memory>
#include <string>

#include "editor/shell/main_frame.h"
#include "platform/main_window.h"
#include "platform/qt_ui.h"
#include "platform/sdl_joystick_backend.h"

#include "scene/input/forward.h"

namespace platform {

using namespace ::editor::shell;
using namespace ::scene::input;

// The editor put together for the screen: the Qt Ui, the joystick, the CMainFrame and its
// window, created in the frame's order (settings and default pose first, then the window,
// then the view, scene, skeleton and controller). Needs a QApplication.
class EditorWindow {
  public:
    // programDir and logPath as for CMainFrame (empty: the current directory, "mn.log").
    EditorWindow(SettingsStore& settings, std::string programDir = std::string(),
                 std::string logPath = "mn.log");
    ~EditorWindow();

    // Reads the settings, builds the window and the frame's scene; false when a step fails.
    bool Create();
    // Loads a file named on the command line with the command for its kind, as if the user
    // had chosen it in that command's dialog; says so in the status line when that command
    // is not available now.
    void OpenFile(const std::string& path);

    CMainFrame& Frame() { return frame_; }
    MainWindow& Window() { return *window_; }
    QtUi& GetUi() { return ui_; }

  private:
    QtUi ui_;
    SdlJoystickBackend joystick_;
    CMainFrame frame_;
    std::unique_ptr<MainWindow> window_;
};

}  // namespace platform
