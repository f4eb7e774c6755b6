#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "editor/io/quake_model.h"

namespace editor::io {

// The sections of a Quake 2 model (.md2) found through the offsets of its 68-byte header;
// nothing when the header is short or an offset lies outside the file. Ident and version are
// not checked.
std::optional<QuakeModelLayout> Md2Layout(std::span<const uint8_t> bytes);

}  // namespace editor::io
