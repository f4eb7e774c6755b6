#pragma once
// Run-length encoded 8-bit PC Paintbrush (.pcx) pictures: one plane with the 256-colour palette
// at the end of the file, or three colour planes.

#include <cstdint>
#include <span>
#include <string>

#include "bytes/status.h"
#include "editor/io/picture.h"

namespace editor::io {

using namespace ::bytes;

// Fails BadData, with the reason as a developer trace, when the file is short or of another
// kind.
Status DecodePcx(std::span<const uint8_t> bytes, Picture& picture);

}  // namespace editor::io
