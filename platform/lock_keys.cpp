#include "platform/lock_keys.h"

#ifdef MARIONET_HAVE_XKB
#include <QGuiApplication>
// Xlib's macros (Bool, None, ...) clash with Qt's names, so it comes last.
#include <X11/XKBlib.h>
#endif

namespace platform {

namespace {

#ifdef MARIONET_HAVE_XKB
bool NamedIndicator(Display* display, const char* name, Atom& atom) {
    if (atom == 0) {
        atom = XInternAtom(display, name, True);
    }
    if (atom == 0) {
        return false;
    }
    int on = 0;
    if (!XkbGetNamedIndicator(display, atom, nullptr, &on, nullptr, nullptr)) {
        return false;
    }
    return on != 0;
}
#endif

}  // namespace

LockKeyState QueryLockKeys() {
    LockKeyState state;
#ifdef MARIONET_HAVE_XKB
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display* display = x11 ? x11->display() : nullptr;
    if (display == nullptr) {
        return state;
    }
    // The names' atoms stay valid for the connection's life; looked up once.
    static Atom caps = 0;
    static Atom num = 0;
    static Atom scroll = 0;
    state.caps = NamedIndicator(display, "Caps Lock", caps);
    state.num = NamedIndicator(display, "Num Lock", num);
    state.scroll = NamedIndicator(display, "Scroll Lock", scroll);
#endif
    return state;
}

}  // namespace platform
