#pragma once
// Finding a chunk by name the way the editor's importer does: the first chunk of that name,
// without looking at versions.

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "flexmodel/chunk_cursor.h"

namespace flexmodel {

// The first chunk named `ident`. The search stops (finding nothing) at a truncated header, a
// negative size or data that runs past the end of the bytes.
std::optional<ChunkLocation> FindChunk(std::span<const uint8_t> bytes, std::string_view ident);

}  // namespace flexmodel
