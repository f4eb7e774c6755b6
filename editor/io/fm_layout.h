#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "editor/io/quake_model.h"

namespace editor::io {

// The sections of a FlexModel (.fm) found by chunk name, so chunk order does not matter; the
// first chunk must be "header". Without withMesh only the frames are located (for listing
// names). Nothing when a needed chunk is missing.
std::optional<QuakeModelLayout> FmLayout(std::span<const uint8_t> bytes, bool withMesh);

}  // namespace editor::io
