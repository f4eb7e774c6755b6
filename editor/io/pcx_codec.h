#pragma once
// Run-length encoded 8-bit PC Paintbrush (.pcx) pictures: one plane with the 256-colour palette
// at the end of the file, or three colour planes.

#include <cstdint>
#include <span>
#include <string>

#include "editor/io/picture.h"

namespace editor::io {

// False with a developer diagnostic when the file is short or of another kind.
bool DecodePcx(std::span<const uint8_t> bytes, Picture& picture, std::string& diagnostic);

}  // namespace editor::io
