#pragma once
// The one walk over a FlexModel's chunks: header after header from the start of the file,
// each chunk's data stepped over by its size. Callers apply their own rules to what it finds
// (the importer stops quietly at damage, the converter reports it).

#include <cstddef>
#include <optional>

#include "bytes/byte_reader.h"
#include "flexmodel/records.h"

namespace flexmodel {

using namespace ::bytes;

struct ChunkLocation {
    ChunkHeader header;
    std::size_t headerOffset = 0;
    std::size_t dataOffset = 0;
    std::size_t dataSize = 0;
};

class ChunkCursor {
  public:
    explicit ChunkCursor(const ByteReader& file) : file_(file) {}

    bool AtEnd() const { return offset_ >= file_.Size(); }
    // The header at the cursor; nothing when it is cut short by the end of the file.
    std::optional<ChunkHeader> ReadHeader() const;
    // Where the data of the header at the cursor lies, and the cursor moved past it; nothing
    // (cursor unmoved) when the size is negative or the data runs past the end of the file.
    std::optional<ChunkLocation> TakeChunk(const ChunkHeader& header);

  private:
    const ByteReader& file_;
    std::size_t offset_ = 0;
};

}  // namespace flexmodel
