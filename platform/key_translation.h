#pragma once

#include <QMouseEvent>
#include <Qt>
#include <cstdint>

namespace platform {

// The virtual key code the input devices know for a Qt key (keypad digits, "+" and "-" are
// told apart by the keypad modifier); 0 for keys they do not use.
uint32_t VirtualKeyFromQt(int key, Qt::KeyboardModifiers modifiers);

// The key flags of a mouse message: left button, Shift, Ctrl.
uint64_t MouseKeyFlagsFromQt(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers);

}  // namespace platform
