#pragma once

#include <QObject>
#include <QTimer>
#include <functional>

namespace platform {

// Calls a function at a fixed interval from the event loop, and another when Esc is pressed
// in the application's windows while it runs (the key is then taken; Esc in a modal dialog
// stays the dialog's).
class Ticker : public QObject {
    Q_OBJECT

  public:
    Ticker(int intervalMs, std::function<void()> tick, std::function<void()> escape);
    ~Ticker() override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QTimer timer_;
    std::function<void()> tick_;
    std::function<void()> escape_;
};

}  // namespace platform
