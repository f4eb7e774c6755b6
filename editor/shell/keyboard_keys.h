#pragma once

#include <string>

namespace editor::shell {

// The keys of the keyboard control device and what they do in the view, as shown by
// Help > "Keys..." and the "Control Device" dialog.
const std::string& KeyboardDeviceKeysText();

}  // namespace editor::shell
