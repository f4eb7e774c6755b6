#pragma once

#include <string>

namespace editor::shell {

// The program's version ("0.1.0") and the about box's text.
const char* MarionetVersion();
std::string AboutText();

}  // namespace editor::shell
