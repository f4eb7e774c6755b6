#include "fmtoobj/obj_file_name.h"

#include "fmtoobj/console_text.h"

namespace fmtoobj {

namespace {

bool IsUnsafeCharacter(unsigned char c) {
    return c == '/' || c == '\\' || c < 0x20 || c == 0x7F;
}

bool IsPartOfDotDot(std::string_view name, std::size_t i) {
    return name[i] == '.' &&
           ((i > 0 && name[i - 1] == '.') || (i + 1 < name.size() && name[i + 1] == '.'));
}

}  // namespace

std::string SafeFileStem(std::string_view frameName) {
    std::string stem(frameName);
    for (std::size_t i = 0; i < frameName.size(); ++i) {
        if (IsUnsafeCharacter(static_cast<unsigned char>(frameName[i])) ||
            IsPartOfDotDot(frameName, i)) {
            stem[i] = '_';
        }
    }
    return stem;
}

std::string ObjFileName(std::string_view frameName, uint32_t mask) {
    return SafeFileStem(frameName) + Format("%04X", static_cast<unsigned>(mask & 0xFFFF)) + ".obj";
}

}  // namespace fmtoobj
