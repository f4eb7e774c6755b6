#include "flexmodel/chunk_writer.h"

#include "bytes/replace_file.h"
#include "flexmodel/record_io.h"

namespace flexmodel {

void ChunkWriter::WriteChunk(const ChunkKind& kind, std::span<const uint8_t> data) {
    AppendChunkHeader(bytes_, kind.ident, kind.version, static_cast<int32_t>(data.size()));
    bytes_.AppendBytes(data);
}

void ChunkWriter::WriteChunk(const ChunkKind& kind, const ByteWriter& data) {
    WriteChunk(kind, std::span<const uint8_t>(data.Bytes()));
}

bool ChunkWriter::BeginChunk(const ChunkKind& kind) {
    if (openChunk_) {
        return false;
    }
    openChunk_ = bytes_.Size();
    AppendChunkHeader(bytes_, kind.ident, kind.version, 0);
    return true;
}

bool ChunkWriter::EndChunk() {
    if (!openChunk_) {
        return false;
    }
    std::size_t dataSize = bytes_.Size() - *openChunk_ - CHUNK_HEADER_SIZE;
    bytes_.PatchInt32(*openChunk_ + CHUNK_IDENT_SIZE + 4, static_cast<int32_t>(dataSize));
    openChunk_.reset();
    return true;
}

bool ChunkWriter::RewriteHeader(const FlexHeader& header) {
    ByteWriter data;
    AppendFlexHeader(data, header);
    return bytes_.PatchBytes(HEADER_DATA_OFFSET, data.Bytes());
}

bool ChunkWriter::SaveAs(const std::string& path) const {
    return ReplaceFile(path, bytes_.Bytes()).Ok();
}

}  // namespace flexmodel
