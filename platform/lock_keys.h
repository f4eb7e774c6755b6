#pragma once

namespace platform {

// The lock keys' states, for the status bar's indicators. Asked of the X server; where that
// is not possible (another platform, no Xkb) every lock reads off.
struct LockKeyState {
    bool caps = false;
    bool num = false;
    bool scroll = false;
};

LockKeyState QueryLockKeys();

}  // namespace platform
