#pragma once

#include <cstdint>

namespace scene::input {

// The window messages the view passes to the input devices. They keep the numbering of the
// desktop platform the editor grew up on, so that the window can translate its key and mouse
// events into one small, platform-neutral vocabulary.
enum InputMessage : uint32_t {
    kMsgKeyDown = 0x0100,
    kMsgKeyUp = 0x0101,
    kMsgMouseMove = 0x0200,
    kMsgLeftButtonDown = 0x0201,
    kMsgLeftButtonUp = 0x0202,
};

// Key flags in the wParam of mouse messages.
enum MouseKeyFlags : uint64_t {
    kMouseLeftButton = 0x0001,
    kMouseShift = 0x0004,
    kMouseControl = 0x0008,
};

// Virtual key codes in the wParam of key messages.
enum VirtualKey : uint32_t {
    kKeyShift = 0x10,
    kKeyControl = 0x11,
    kKeyPageUp = 0x21,
    kKeyPageDown = 0x22,
    kKeyEnd = 0x23,
    kKeyHome = 0x24,
    kKeyLeft = 0x25,
    kKeyUp = 0x26,
    kKeyRight = 0x27,
    kKeyDown = 0x28,
    kKeyInsert = 0x2D,
    kKeyDelete = 0x2E,
    kKeyNumpad0 = 0x60,
    kKeyNumpad1 = 0x61,
    kKeyNumpad2 = 0x62,
    kKeyNumpad3 = 0x63,
    kKeyNumpad4 = 0x64,
    kKeyNumpad6 = 0x66,
    kKeyNumpad7 = 0x67,
    kKeyNumpad8 = 0x68,
    kKeyNumpad9 = 0x69,
    kKeyAdd = 0x6B,
    kKeySubtract = 0x6D,
};

// A mouse position packed into lParam: x in the low 16 bits, y in the next 16, both signed.
inline int64_t MakeMouseLParam(int x, int y) {
    return static_cast<int64_t>((static_cast<uint32_t>(static_cast<uint16_t>(y)) << 16) |
                                static_cast<uint16_t>(x));
}
inline int MouseX(int64_t lParam) {
    return static_cast<int16_t>(lParam & 0xFFFF);
}
inline int MouseY(int64_t lParam) {
    return static_cast<int16_t>((lParam >> 16) & 0xFFFF);
}

}  // namespace scene::input
