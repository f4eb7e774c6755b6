#pragma once
// Assembles a FlexModel file chunk by chunk in memory. A chunk whose size is only known at the
// end (the editor's "glcmds") is opened with size 0 and its size rewritten when it is closed;
// the "header" data is rewritten in place once every count is known.

#include <cstddef>
#include <optional>
#include <span>
#include <string>

#include "bytes/byte_writer.h"
#include "flexmodel/records.h"

namespace flexmodel {

using namespace ::bytes;

class ChunkWriter {
  public:
    // Writes a whole chunk: a zero-filled header with the data's size, then the data.
    void WriteChunk(const ChunkKind& kind, std::span<const uint8_t> data);
    void WriteChunk(const ChunkKind& kind, const ByteWriter& data);

    // Writes the chunk header with size 0; data appended through Data() until EndChunk
    // belongs to it. Returns false when a chunk is already open.
    bool BeginChunk(const ChunkKind& kind);
    ByteWriter& Data() { return bytes_; }
    // Rewrites the open chunk's size; false when no chunk is open.
    bool EndChunk();

    // Overwrites the "header" data at its fixed offset; false when the file has none there.
    bool RewriteHeader(const FlexHeader& header);

    const std::vector<uint8_t>& Bytes() const { return bytes_.Bytes(); }
    // Writes the file beside `path`, then renames it over `path`.
    bool SaveAs(const std::string& path) const;

  private:
    ByteWriter bytes_;
    std::optional<std::size_t> openChunk_;
};

}  // namespace flexmodel
