#include "flexmodel/chunk_search.h"

namespace flexmodel {

using namespace ::bytes;

std::optional<ChunkLocation> FindChunk(std::span<const uint8_t> bytes, std::string_view ident) {
    const ByteReader file(bytes);
    ChunkCursor cursor(file);
    while (!cursor.AtEnd()) {
        auto header = cursor.ReadHeader();
        auto chunk = header ? cursor.TakeChunk(*header) : std::nullopt;
        if (!chunk) {
            return std::nullopt;
        }
        if (chunk->header.Ident() == ident) {
            return chunk;
        }
    }
    return std::nullopt;
}

}  // namespace flexmodel
