#include "editor/shell/keyboard_keys.h"

namespace editor::shell {

const std::string& KeyboardDeviceKeysText() {
    static const std::string text =
        "The keyboard moves the selected joint or object (or the camera, when \"Control "
        "Device...\" says so), as seen in the view:\n"
        "\n"
        "Left, Right arrows: move left, right\n"
        "Up, Down arrows: move up, down\n"
        "Shift+Up, Shift+Down or numeric -, +: move away from you, toward you\n"
        "Shift+Left, Shift+Right or Page Up, Page Down: turn about the line of sight\n"
        "Ctrl+Left, Ctrl+Right or Home, End: turn about the view's upright axis\n"
        "Ctrl+Up, Ctrl+Down or Insert, Delete: turn about the view's level axis\n"
        "\n"
        "A short press moves one small step; holding the key moves on, faster and faster up "
        "to a steady speed. Pressing the opposite key stops the motion.\n"
        "\n"
        "The mouse: drag a joint, or the selected model, prop or dividing plane, with the left "
        "button; the wheel zooms, the middle button turns the camera, Shift with the middle "
        "button moves it.";
    return text;
}

}  // namespace editor::shell
