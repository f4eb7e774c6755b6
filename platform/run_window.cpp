#include "platform/run_window.h"

#include <QApplication>
#include <QIcon>
#include <QMessageBox>
#include <QSurfaceFormat>
#include <QTimer>
#include <atomic>
#include <csignal>
#include <cstdlib>
#include <iostream>

#include "editor/shell/main_frame.h"
#include "platform/editor_window.h"
#include "platform/qt_settings_store.h"

namespace platform {

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

std::atomic<bool> stopRequested{false};

void RequestStop(int) {
    stopRequested = true;
}

// Ctrl+C or a session's end closes the window the ordinary way, so the settings are kept;
// nobody may be there to answer a question about unsaved changes.
void QuitOnTerminationSignals(QTimer& poll, CMainFrame& frame) {
    std::signal(SIGINT, RequestStop);
    std::signal(SIGTERM, RequestStop);
    QObject::connect(&poll, &QTimer::timeout, [&frame] {
        if (stopRequested) {
            frame.SetAskToSaveChanges(false);
            QApplication::closeAllWindows();
            QApplication::quit();
        }
    });
    poll.start(100);
}

}  // namespace

bool HasWindowSystem() {
    return IsSet("DISPLAY") || IsSet("WAYLAND_DISPLAY") || IsSet("QT_QPA_PLATFORM");
}

int RunMarionetWindow(int argc, char** argv, const std::string& openPath) {
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
    // The installed desktop entry and icon (packaging/) carry this id: Wayland matches the
    // window to its entry by it, and the window shows the installed icon.
    const QString applicationId = QStringLiteral("io.github.marionet.Marionet");
    QGuiApplication::setDesktopFileName(applicationId);
    QApplication::setWindowIcon(QIcon::fromTheme(applicationId));

    QtSettingsStore settings;
    int status = 1;
    {
        EditorWindow editor(settings);
        if (!editor.Create()) {
            QMessageBox::critical(nullptr, QStringLiteral("Marionet"),
                                  QStringLiteral("The editor's window could not be created."));
            return 1;
        }
        editor.Window().show();
        if (!openPath.empty()) {
            // Once the window is up, so that the file's questions have their parent on screen.
            QTimer::singleShot(0, &editor.Window(),
                               [&editor, openPath] { editor.OpenFile(openPath); });
        }
        QTimer signalPoll;
        QuitOnTerminationSignals(signalPoll, editor.Frame());
        status = QApplication::exec();
    }
    if (!settings.Sync()) {
        std::cerr << "Marionet: the settings could not be saved.\n";
    }
    return status;
}

}  // namespace platform
