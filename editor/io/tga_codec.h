#pragma once
// Uncompressed Targa (.tga) pictures: palette images (type 1, 8-bit, 24-bit palette entries) and
// true-colour images (type 2, 24-bit) in and out.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "editor/io/picture.h"

namespace editor::io {

// False with a developer diagnostic when the file is short or of another kind.
bool DecodeTga(std::span<const uint8_t> bytes, Picture& picture, std::string& diagnostic);

// A 24-bit picture as an uncompressed true-colour Targa, bottom row first.
std::vector<uint8_t> EncodeTga(const Picture& picture);

}  // namespace editor::io
