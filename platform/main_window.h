#pragma once

#include <QElapsedTimer>
#include <QMainWindow>
#include <QTimer>
#include <map>
#include <string>
#include <vector>

#include "editor/shell/forward.h"
#include "scene/input/forward.h"

class QLabel;
class QMenu;
class QProgressBar;

namespace platform {

using namespace ::editor::shell;

// The text as the status bar shows it: its lines joined by spaces.
QString OneLine(const QString& text);
using namespace ::scene::input;

class GlViewWidget;

// The frame window "Marionet": menus, accelerators and toolbar built from the command table,
// a status bar with the message pane and the lock-key indicators, and the 3D view filling the
// rest. Commands go to the CMainFrame; check marks and enabled states follow its answers. The
// window runs the frame's idle step from the event loop while it is shown, and on close
// stores its rectangle in the frame and closes the frame (which writes the settings).
class MainWindow : public QMainWindow {
    Q_OBJECT

  public:
    // Idle steps at about 60 per second while something moves or needs drawing; none while
    // the editor is idle.
    static constexpr int kIdleIntervalMs = 16;
    // The lock keys are asked of the X server a few times a second.
    static constexpr int kLockKeyIntervalMs = 300;
    // The view keeps at least this many pixels of height beside the bars.
    static constexpr int kLeastViewHeight = 120;

    MainWindow(CMainFrame& frame, SettingsStore& settings, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Places the window at the frame options' windowRect, kept on a screen.
    void ApplyWindowRect();
    // The status bar's message pane.
    void SetMessage(const QString& text);
    // The status bar's progress bar at done of total; hidden when total is 0.
    void SetProgress(int done, int total);
    QString Message() const;

    QAction* Action(int commandId) const;
    QMenu* TopMenu(const QString& title) const;
    GlViewWidget* View() const { return view_; }
    // Enabled states and check marks from the frame; done on every idle step and before a
    // menu opens.
    void UpdateCommandStates();
    // The title names the model's file and marks unsaved changes ("knight.obj* - Marionet").
    void UpdateTitle();
    // Wide enough for the menu bar and the toolbar, high enough for the bars and some view.
    QSize LeastSize() const;
    // The File menu's recent-file entries from the settings.
    void RefreshRecentFiles();
    // Runs one idle step now.
    void IdleStep();
    // Asks for a redraw and runs idle steps until nothing moves any more.
    void WakeIdleSteps();
    bool IdleStepsRunning() const { return idleTimer_.isActive(); }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    void BuildMenus();
    void BuildToolbar();
    void BuildStatusBar();
    QAction* MakeAction(const CommandInfo& command);
    QMenu* MenuFor(const QString& path);
    void Trigger(int commandId);
    void RunFrameworkCommand(int commandId);
    void UpdateLockIndicators();
    void StoreWindowRect();
    QRect FirstStartRect() const;

    CMainFrame& frame_;
    SettingsStore& settings_;
    GlViewWidget* view_ = nullptr;
    QToolBar* toolBar_ = nullptr;
    QLabel* messagePane_ = nullptr;
    QProgressBar* progressBar_ = nullptr;
    // When the message pane was last painted at once; a long loop reporting each step must not
    // spend its time repainting.
    QElapsedTimer messagePainted_;
    QLabel* capsPane_ = nullptr;
    QLabel* numPane_ = nullptr;
    QLabel* scrollPane_ = nullptr;
    std::map<int, QAction*> actions_;
    std::map<QString, QMenu*> menus_;
    std::vector<std::string> recentFiles_;
    QTimer idleTimer_;
    QTimer lockKeyTimer_;
    bool closed_ = false;
    bool commandRunning_ = false;
};

}  // namespace platform
