#pragma once
// OBJ file names: the frame name, the node mask's low 16 bits as "%04X", then ".obj".

#include <cstdint>
#include <string>
#include <string_view>

namespace fmtoobj {

// The frame name as a name inside the current directory: path separators, control
// characters and the dots of ".." become "_"; ordinary names pass unchanged.
std::string SafeFileStem(std::string_view frameName);

std::string ObjFileName(std::string_view frameName, uint32_t mask);

}  // namespace fmtoobj
