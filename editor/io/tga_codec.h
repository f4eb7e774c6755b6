#pragma once
// Uncompressed Targa (.tga) pictures: palette images (type 1, 8-bit, 24-bit palette entries) and
// true-colour images (type 2, 24-bit) in and out.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "bytes/status.h"
#include "editor/io/picture.h"

namespace editor::io {

using namespace ::bytes;

// Fails BadData, with the reason as a developer trace, when the file is short or of another
// kind.
Status DecodeTga(std::span<const uint8_t> bytes, Picture& picture);

// A 24-bit picture as an uncompressed true-colour Targa, bottom row first.
std::vector<uint8_t> EncodeTga(const Picture& picture);

}  // namespace editor::io
