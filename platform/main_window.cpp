#include "platform/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QMenuBar>
#include <QMouseEvent>
#include <QProgressBar>
#include <QRegularExpression>
#include <QScreen>
#include <QStatusBar>
#include <QToolBar>

#include "editor/shell/camera_navigation.h"
#include "editor/shell/command_ids.h"
#include "editor/shell/command_table.h"
#include "editor/shell/main_frame.h"
#include "editor/shell/recent_files.h"
#include "editor/shell/settings_names.h"
#include "platform/gl_view_widget.h"
#include "platform/lock_keys.h"
#include "platform/qt_text.h"
#include "platform/toolbar_icons.h"

namespace platform {

using namespace ::editor::shell;

namespace {

constexpr qint64 kMessageRepaintMs = 30;

// The tool tip is the part of the prompt after "\n"; without one, the plain menu text.
QString ToolTipOf(const CommandInfo& command) {
    const std::string_view prompt = command.prompt;
    const size_t newline = prompt.find('\n');
    if (newline != std::string_view::npos) {
        return ToQt(prompt.substr(newline + 1));
    }
    return ToQt(PlainCommandName(command.menuText));
}

QLabel* IndicatorPane(QWidget* parent, const QString& text) {
    auto* pane = new QLabel(parent);
    pane->setAlignment(Qt::AlignCenter);
    pane->setMinimumWidth(pane->fontMetrics().horizontalAdvance(text) + 8);
    pane->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    return pane;
}

}  // namespace

MainWindow::MainWindow(CMainFrame& frame, SettingsStore& settings, QWidget* parent)
    : QMainWindow(parent), frame_(frame), settings_(settings) {
    setWindowTitle(QStringLiteral("Marionet"));
    BuildMenus();
    BuildToolbar();
    BuildStatusBar();
    view_ = new GlViewWidget(frame_.View(), this);
    view_->setObjectName(QStringLiteral("view"));
    setCentralWidget(view_);
    setFocusProxy(view_);
    connect(view_, &GlViewWidget::WheelTurned, this,
            [this](double notches) { ZoomCamera(frame_, notches); });
    connect(view_, &GlViewWidget::OrbitDragged, this,
            [this](int dx, int dy) { OrbitCamera(frame_, dx, dy); });
    connect(view_, &GlViewWidget::PanDragged, this,
            [this](int dx, int dy) { PanCamera(frame_, dx, dy); });
    view_->SetLeftDragCalls({[this](int x, int y) { return frame_.PressView(x, y); },
                             [this](int x, int y) { frame_.DragView(x, y); },
                             [this] {
                                 frame_.ReleaseView();
                                 UpdateTitle();
                             }});
    setMinimumSize(LeastSize());
    ApplyWindowRect();
    RefreshRecentFiles();
    idleTimer_.setInterval(kIdleIntervalMs);
    connect(&idleTimer_, &QTimer::timeout, this, &MainWindow::IdleStep);
    lockKeyTimer_.setInterval(kLockKeyIntervalMs);
    connect(&lockKeyTimer_, &QTimer::timeout, this, &MainWindow::UpdateLockIndicators);
    // Any key or button in any of the editor's windows (the view, the transforms sheet) may
    // change the picture.
    qApp->installEventFilter(this);
}

MainWindow::~MainWindow() = default;

void MainWindow::BuildMenus() {
    for (std::string_view title : TopLevelMenus()) {
        MenuFor(ToQt(title));
    }
    for (const CommandInfo& command : CommandTable()) {
        QAction* action = MakeAction(command);
        if (command.menuPath.empty()) {
            // No menu entry: reachable through its accelerators only.
            addAction(action);
            continue;
        }
        QMenu* menu = MenuFor(ToQt(command.menuPath));
        if (command.separatorBefore) {
            menu->addSeparator();
        }
        menu->addAction(action);
    }
}

QMenu* MainWindow::MenuFor(const QString& path) {
    if (auto found = menus_.find(path); found != menus_.end()) {
        return found->second;
    }
    const qsizetype slash = path.lastIndexOf('/');
    QMenu* menu = nullptr;
    if (slash < 0) {
        menu = menuBar()->addMenu(path);
    } else {
        menu = MenuFor(path.left(slash))->addMenu(path.mid(slash + 1));
    }
    connect(menu, &QMenu::aboutToShow, this, [this] {
        RefreshRecentFiles();
        UpdateCommandStates();
    });
    menus_[path] = menu;
    return menu;
}

QAction* MainWindow::MakeAction(const CommandInfo& command) {
    auto* action = new QAction(ToQt(command.menuText), this);
    action->setObjectName(QStringLiteral("command%1").arg(command.id));
    action->setData(command.id);
    action->setStatusTip(ToQt(PromptStatusText(command.prompt)));
    action->setToolTip(ToolTipOf(command));
    action->setCheckable(command.checkItem);
    QList<QKeySequence> shortcuts;
    for (std::string_view key : command.accelerators) {
        if (!key.empty()) {
            shortcuts.append(QKeySequence(ToQt(key), QKeySequence::PortableText));
        }
    }
    action->setShortcuts(shortcuts);
    const int id = command.id;
    connect(action, &QAction::triggered, this, [this, id] { Trigger(id); });
    actions_[id] = action;
    return action;
}

void MainWindow::BuildToolbar() {
    toolBar_ = addToolBar(QStringLiteral("Standard"));
    toolBar_->setObjectName(QStringLiteral("toolBar"));
    toolBar_->setMovable(false);
    for (int id : ToolbarButtons()) {
        if (id == 0) {
            toolBar_->addSeparator();
            continue;
        }
        QAction* action = Action(id);
        if (action == nullptr) {
            continue;
        }
        action->setIcon(ToolbarIcon(id, *style()));
        toolBar_->addAction(action);
    }
}

void MainWindow::BuildStatusBar() {
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("statusBar"));
    messagePane_ = new QLabel(QStringLiteral("Ready"), bar);
    messagePane_->setObjectName(QStringLiteral("messagePane"));
    messagePane_->setMinimumWidth(1);
    bar->addWidget(messagePane_, 1);
    progressBar_ = new QProgressBar(bar);
    progressBar_->setObjectName(QStringLiteral("progressBar"));
    progressBar_->setMaximumWidth(200);
    progressBar_->hide();
    bar->addPermanentWidget(progressBar_);
    capsPane_ = IndicatorPane(bar, QStringLiteral("CAP"));
    numPane_ = IndicatorPane(bar, QStringLiteral("NUM"));
    scrollPane_ = IndicatorPane(bar, QStringLiteral("SCRL"));
    bar->addPermanentWidget(capsPane_);
    bar->addPermanentWidget(numPane_);
    bar->addPermanentWidget(scrollPane_);
    UpdateLockIndicators();
}

QString OneLine(const QString& text) {
    // Messages ending in a line break would make the bar two lines high and the view jump.
    return text.split(QRegularExpression(QStringLiteral("[\r\n]+")), Qt::SkipEmptyParts)
        .join(QLatin1Char(' '));
}

void MainWindow::SetMessage(const QString& text) {
    messagePane_->setText(OneLine(text));
    // Long operations report from inside their loops: show the text before they go on, but at
    // most every kMessageRepaintMs (the latest text is painted by the event loop anyway).
    if (!messagePainted_.isValid() || messagePainted_.elapsed() >= kMessageRepaintMs) {
        messagePane_->repaint();
        messagePainted_.start();
    }
}

void MainWindow::SetProgress(int done, int total) {
    if (total <= 0) {
        progressBar_->hide();
        return;
    }
    progressBar_->setRange(0, total);
    progressBar_->setValue(done);
    progressBar_->show();
    progressBar_->repaint();
}

QString MainWindow::Message() const {
    return messagePane_->text();
}

QAction* MainWindow::Action(int commandId) const {
    auto found = actions_.find(commandId);
    return found == actions_.end() ? nullptr : found->second;
}

QMenu* MainWindow::TopMenu(const QString& title) const {
    auto found = menus_.find(title);
    return found == menus_.end() ? nullptr : found->second;
}

void MainWindow::Trigger(int commandId) {
    const CommandInfo* command = FindCommand(commandId);
    // A command showing progress lets paint events through; the idle step waits meanwhile.
    commandRunning_ = true;
    if (command != nullptr && command->frameworkOwned) {
        RunFrameworkCommand(commandId);
    } else {
        frame_.RunCommand(commandId);
    }
    commandRunning_ = false;
    UpdateCommandStates();
    WakeIdleSteps();
}

void MainWindow::RunFrameworkCommand(int commandId) {
    switch (commandId) {
        case ID_VIEW_TOOLBAR:
            toolBar_->setVisible(!toolBar_->isVisible());
            break;
        case ID_VIEW_STATUS_BAR:
            statusBar()->setVisible(!statusBar()->isVisible());
            break;
        case ID_APP_EXIT:
            close();
            break;
        default:
            break;
    }
}

void MainWindow::RefreshRecentFiles() {
    recentFiles_ = RecentFiles(settings_);
    for (int i = 0; i < RECENT_FILE_COUNT; ++i) {
        QAction* action = Action(ID_FILE_MRU_FILE1 + i);
        if (action == nullptr) {
            continue;
        }
        if (static_cast<size_t>(i) < recentFiles_.size()) {
            const QString path = ToQt(recentFiles_[i]);
            action->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(QFileInfo(path).fileName()));
            action->setVisible(true);
        } else {
            // An empty list shows one greyed "Recent File" entry, as desktop programs do.
            action->setText(QStringLiteral("Recent File"));
            action->setVisible(i == 0 && recentFiles_.empty());
        }
    }
}

void MainWindow::UpdateTitle() {
    const QString name = QString::fromStdString(frame_.Saved().FileName());
    setWindowTitle(name.isEmpty() ? QStringLiteral("Marionet[*]")
                                  : name + QStringLiteral("[*] - Marionet"));
    setWindowModified(frame_.HasUnsavedChanges());
}

void MainWindow::UpdateCommandStates() {
    UpdateTitle();
    for (auto& [id, action] : actions_) {
        const CommandInfo* command = FindCommand(id);
        if (command != nullptr && command->frameworkOwned) {
            if (id == ID_VIEW_TOOLBAR) {
                action->setChecked(toolBar_->isVisible());
            } else if (id == ID_VIEW_STATUS_BAR) {
                action->setChecked(statusBar()->isVisible());
            } else {
                action->setEnabled(id == ID_APP_EXIT);
            }
            continue;
        }
        action->setEnabled(frame_.Commands().IsEnabled(id));
        if (const std::optional<std::string> text = frame_.Commands().MenuText(id)) {
            action->setText(ToQt(*text));
        }
        if (action->isCheckable()) {
            action->setChecked(frame_.Commands().IsChecked(id));
        }
    }
}

void MainWindow::UpdateLockIndicators() {
    const LockKeyState locks = QueryLockKeys();
    capsPane_->setText(locks.caps ? QStringLiteral("CAP") : QString());
    numPane_->setText(locks.num ? QStringLiteral("NUM") : QString());
    scrollPane_->setText(locks.scroll ? QStringLiteral("SCRL") : QString());
}

void MainWindow::IdleStep() {
    if (closed_ || commandRunning_ || !isVisible()) {
        // The command's end wakes the steps again.
        idleTimer_.stop();
        return;
    }
    view_->SetPaintDeferred(true);
    frame_.OnIdle();
    view_->SetPaintDeferred(false);
    UpdateCommandStates();
    // Idle means idle: the steps stop until input or a command asks for them again.
    if (!frame_.NeedsIdleSteps()) {
        idleTimer_.stop();
    }
}

void MainWindow::WakeIdleSteps() {
    frame_.RequestRedraw();
    if (!closed_ && isVisible() && !idleTimer_.isActive()) {
        idleTimer_.start();
    }
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::Wheel:
            WakeIdleSteps();
            break;
        case QEvent::MouseMove:
            // Hovering changes nothing; a drag may.
            if (static_cast<QMouseEvent*>(event)->buttons() != Qt::NoButton) {
                WakeIdleSteps();
            }
            break;
        default:
            break;
    }
    return QMainWindow::eventFilter(watched, event);
}

QSize MainWindow::LeastSize() const {
    // The menu bar on one line, the toolbar whole, and a little of the view.
    const int width = std::max(menuBar()->sizeHint().width(), toolBar_->sizeHint().width());
    const int height = menuBar()->sizeHint().height() + toolBar_->sizeHint().height() +
                       statusBar()->sizeHint().height() + kLeastViewHeight;
    return QSize(width, height);
}

void MainWindow::ApplyWindowRect() {
    const WindowRect& rect = frame_.options.windowRect;
    // The stored size stays what it is; the window is only never smaller than its bars need.
    QRect wanted(QPoint(rect.left, rect.top),
                 QSize(rect.right - rect.left, rect.bottom - rect.top).expandedTo(minimumSize()));
    // A rectangle from another screen layout (or a damaged profile) must not hide the window.
    bool onScreen = false;
    for (const QScreen* screen : QGuiApplication::screens()) {
        onScreen = onScreen || screen->availableGeometry().intersects(wanted);
    }
    if (!onScreen && !QGuiApplication::screens().isEmpty()) {
        wanted.moveTopLeft(QPoint(50, 50));
    }
    if (!settings_.HasEntry(settings::kWindow, settings::kWidth)) {
        wanted = FirstStartRect();
    }
    resize(wanted.size());
    move(wanted.topLeft());
}

QRect MainWindow::FirstStartRect() const {
    // Nothing stored yet: a window whose view is usable at once, 1024 x 768 or, on a smaller
    // screen, most of it, centred.
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return QRect(QPoint(50, 50), QSize(1024, 768).expandedTo(minimumSize()));
    }
    const QRect available = screen->availableGeometry();
    const QSize most(available.width() * 9 / 10, available.height() * 9 / 10);
    QRect rect(QPoint(), QSize(1024, 768).boundedTo(most).expandedTo(minimumSize()));
    rect.moveCenter(available.center());
    return rect;
}

void MainWindow::StoreWindowRect() {
    const QPoint position = pos();
    WindowRect& rect = frame_.options.windowRect;
    rect.left = position.x();
    rect.top = position.y();
    rect.right = rect.left + width();
    rect.bottom = rect.top + height();
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    view_->setFocus();
    WakeIdleSteps();
    lockKeyTimer_.start();
}

void MainWindow::hideEvent(QHideEvent* event) {
    idleTimer_.stop();
    lockKeyTimer_.stop();
    QMainWindow::hideEvent(event);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!closed_ && !frame_.ConfirmDiscardChanges()) {
        event->ignore();
        return;
    }
    if (!closed_) {
        closed_ = true;
        idleTimer_.stop();
        lockKeyTimer_.stop();
        StoreWindowRect();
        frame_.Close();
    }
    event->accept();
}

}  // namespace platform
