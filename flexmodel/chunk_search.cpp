#include "flexmodel/chunk_search.h"

#include "bytes/byte_reader.h"
#include "flexmodel/record_io.h"

namespace flexmodel {

using namespace ::bytes;

std::optional<ChunkLocation> FindChunk(std::span<const uint8_t> bytes, std::string_view ident) {
    ByteReader in(bytes);
    std::size_t offset = 0;
    while (offset < in.Size()) {
        auto header = ReadChunkHeader(in, offset);
        if (!header || header->size < 0) {
            return std::nullopt;
        }
        std::size_t dataOffset = offset + CHUNK_HEADER_SIZE;
        auto dataSize = static_cast<std::size_t>(header->size);
        if (!in.Contains(dataOffset, dataSize)) {
            return std::nullopt;
        }
        if (header->Ident() == ident) {
            return ChunkLocation{*header, offset, dataOffset, dataSize};
        }
        offset = dataOffset + dataSize;
    }
    return std::nullopt;
}

}  // namespace flexmodel
