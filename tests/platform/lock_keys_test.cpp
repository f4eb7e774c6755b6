#include "platform/lock_keys.h"

#include <gtest/gtest.h>

#ifdef MARIONET_HAVE_XKB
#include <QGuiApplication>
// Xlib's macros clash with Qt's names, so it comes after Qt.
#include <X11/XKBlib.h>

using namespace ::platform;

namespace {

void LockCaps(Display* display, bool on) {
    XkbLockModifiers(display, XkbUseCoreKbd, LockMask, on ? LockMask : 0);
    XSync(display, False);
}

}  // namespace

TEST(LockKeys, CapsLockFollowsTheServersIndicator) {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (x11 == nullptr || x11->display() == nullptr) {
        GTEST_SKIP() << "not on an X server";
    }
    Display* display = x11->display();
    LockCaps(display, true);
    const bool capsOn = QueryLockKeys().caps;
    LockCaps(display, false);
    EXPECT_TRUE(capsOn);
    EXPECT_FALSE(QueryLockKeys().caps);
}
#endif
