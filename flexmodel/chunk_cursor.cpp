#include "flexmodel/chunk_cursor.h"

#include "flexmodel/record_io.h"

namespace flexmodel {

std::optional<ChunkHeader> ChunkCursor::ReadHeader() const {
    return ReadChunkHeader(file_, offset_);
}

std::optional<ChunkLocation> ChunkCursor::TakeChunk(const ChunkHeader& header) {
    if (header.size < 0) {
        return std::nullopt;
    }
    ChunkLocation chunk{header, offset_, offset_ + CHUNK_HEADER_SIZE,
                        static_cast<std::size_t>(header.size)};
    if (!file_.Contains(chunk.dataOffset, chunk.dataSize)) {
        return std::nullopt;
    }
    offset_ = chunk.dataOffset + chunk.dataSize;
    return chunk;
}

}  // namespace flexmodel
