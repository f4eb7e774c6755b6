#include "platform/key_translation.h"

#include "scene/input/input_message.h"

namespace platform {

using namespace ::scene::input;

namespace {

uint32_t KeypadKey(int key) {
    switch (key) {
        case Qt::Key_0:
            return kKeyNumpad0;
        case Qt::Key_1:
            return kKeyNumpad1;
        case Qt::Key_2:
            return kKeyNumpad2;
        case Qt::Key_3:
            return kKeyNumpad3;
        case Qt::Key_4:
            return kKeyNumpad4;
        case Qt::Key_6:
            return kKeyNumpad6;
        case Qt::Key_7:
            return kKeyNumpad7;
        case Qt::Key_8:
            return kKeyNumpad8;
        case Qt::Key_9:
            return kKeyNumpad9;
        case Qt::Key_Plus:
            return kKeyAdd;
        case Qt::Key_Minus:
            return kKeySubtract;
        default:
            return 0;
    }
}

}  // namespace

uint32_t VirtualKeyFromQt(int key, Qt::KeyboardModifiers modifiers) {
    if (modifiers.testFlag(Qt::KeypadModifier)) {
        if (const uint32_t keypad = KeypadKey(key)) {
            return keypad;
        }
    }
    switch (key) {
        case Qt::Key_Shift:
            return kKeyShift;
        case Qt::Key_Control:
            return kKeyControl;
        case Qt::Key_PageUp:
            return kKeyPageUp;
        case Qt::Key_PageDown:
            return kKeyPageDown;
        case Qt::Key_End:
            return kKeyEnd;
        case Qt::Key_Home:
            return kKeyHome;
        case Qt::Key_Left:
            return kKeyLeft;
        case Qt::Key_Up:
            return kKeyUp;
        case Qt::Key_Right:
            return kKeyRight;
        case Qt::Key_Down:
            return kKeyDown;
        case Qt::Key_Insert:
            return kKeyInsert;
        case Qt::Key_Delete:
            return kKeyDelete;
        default:
            return 0;
    }
}

uint64_t MouseKeyFlagsFromQt(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
    uint64_t flags = 0;
    if (buttons.testFlag(Qt::LeftButton)) {
        flags |= kMouseLeftButton;
    }
    if (modifiers.testFlag(Qt::ShiftModifier)) {
        flags |= kMouseShift;
    }
    if (modifiers.testFlag(Qt::ControlModifier)) {
        flags |= kMouseControl;
    }
    return flags;
}

}  // namespace platform
