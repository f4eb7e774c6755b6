#include "platform/run_window.h"

#include <QApplication>
#include <QMessageBox>
#include <QSurfaceFormat>
#include <cstdlib>
#include <iostream>

#include "editor/shell/main_frame.h"
#include "platform/gl_view_widget.h"
#include "platform/main_window.h"
#include "platform/qt_settings_store.h"
#include "platform/qt_ui.h"
#include "platform/sdl_joystick_backend.h"
#include "scene/image.h"

namespace {

bool IsSet(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
}

void UseDepthBuffer() {
    QSurfaceFormat format = QSurfaceFormat::defaultFormat();
    format.setDepthBufferSize(24);
    QSurfaceFormat::setDefaultFormat(format);
}

// Pictures loaded with an empty path (the background) ask through the window's dialog.
void RouteImageChooser(QtUi& ui) {
    C3dImage::SetOpenFileChooser([&ui](const std::string& filter) {
        FileDialogRequest request;
        request.filter = filter;
        request.flags = kFileMustExist | kPathMustExist | kHideReadOnly;
        return ui.AskOpenFile(request).value_or(std::string());
    });
}

}  // namespace

bool HasWindowSystem() {
    return IsSet("DISPLAY") || IsSet("WAYLAND_DISPLAY") || IsSet("QT_QPA_PLATFORM");
}

int RunMarionetWindow(int argc, char** argv) {
    if (!HasWindowSystem()) {
        std::cerr << "Marionet: no display to open the window on (DISPLAY is not set).\n"
                     "  Run it under a virtual display:  xvfb-run -a Marionet\n"
                     "  or without a window:             Marionet --batch FILE\n";
        return 1;
    }
    UseDepthBuffer();
    QApplication application(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Marionet"));
    QApplication::setApplicationName(QStringLiteral("Marionet"));

    QtSettingsStore settings;
    QtUi ui;
    SdlJoystickBackend joystick;
    CMainFrame frame(ui, settings);
    frame.SetJoystickBackend(&joystick);
    RouteImageChooser(ui);

    frame.PreCreate();
    MainWindow window(frame, settings);
    ui.SetParent(&window);
    ui.SetStatusSink([&window](const QString& text) { window.SetMessage(text); });
    if (!frame.Create(window.View()->width(), window.View()->height())) {
        QMessageBox::critical(nullptr, QStringLiteral("Marionet"),
                              QStringLiteral("The editor's window could not be created."));
        return 1;
    }
    window.show();
    const int status = QApplication::exec();
    frame.Close();
    C3dImage::SetOpenFileChooser(nullptr);
    settings.Sync();
    return status;
}
