#pragma once
// Finding a chunk by name the way the editor's importer does: header after header from the
// start of the file, skipping each chunk's data, without looking at versions.

#include <cstddef>
#include <optional>
#include <span>
#include <string_view>

#include "flexmodel/records.h"

namespace flexmodel {

struct ChunkLocation {
    ChunkHeader header;
    std::size_t headerOffset = 0;
    std::size_t dataOffset = 0;
    std::size_t dataSize = 0;
};

// The first chunk named `ident`. The search stops (finding nothing) at a truncated header, a
// negative size or data that runs past the end of the bytes.
std::optional<ChunkLocation> FindChunk(std::span<const uint8_t> bytes, std::string_view ident);

}  // namespace flexmodel
