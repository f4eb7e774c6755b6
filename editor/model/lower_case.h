#pragma once
// File names, extensions and the names other tools give are compared without regard to case.

#include <cctype>
#include <string>

namespace editor::model {

// text with every ASCII letter in lower case.
inline std::string LowerCase(std::string text) {
    for (char& c : text) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return text;
}

}  // namespace editor::model
