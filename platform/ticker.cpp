#include "platform/ticker.h"

#include <QApplication>
#include <QKeyEvent>

namespace platform {

Ticker::Ticker(int intervalMs, std::function<void()> tick, std::function<void()> escape)
    : tick_(std::move(tick)), escape_(std::move(escape)) {
    timer_.setInterval(intervalMs);
    connect(&timer_, &QTimer::timeout, this, [this] {
        if (tick_) {
            tick_();
        }
    });
    timer_.start();
    QApplication::instance()->installEventFilter(this);
}

Ticker::~Ticker() {
    QApplication::instance()->removeEventFilter(this);
}

bool Ticker::eventFilter(QObject* watched, QEvent* event) {
    // Esc in a dialog is the dialog's own.
    if (event->type() == QEvent::KeyPress && timer_.isActive() &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape &&
        QApplication::activeModalWidget() == nullptr) {
        timer_.stop();
        std::function<void()> escape = std::move(escape_);
        escape_ = nullptr;
        tick_ = nullptr;
        if (escape) {
            escape();
        }
        return true;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace platform
