#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <functional>

// Acts on the next modal dialog once it is shown (e.g. reads its text and presses a button),
// so a test can drive code that blocks in exec(). Gives up after about two seconds.
template <typename Dialog>
void WhenModalShown(std::function<void(Dialog*)> act, int attempts = 200) {
    QTimer::singleShot(10, [act, attempts] {
        auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        if (dialog != nullptr && dialog->isVisible()) {
            act(dialog);
        } else if (attempts > 0) {
            WhenModalShown<Dialog>(act, attempts - 1);
        }
    });
}
