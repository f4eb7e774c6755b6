#pragma once
// Reading an exported file back in tests: its chunks by name, the header and frame records.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "flexmodel/chunk_cursor.h"
#include "flexmodel/chunk_search.h"
#include "flexmodel/record_io.h"

using namespace ::bytes;
using namespace ::flexmodel;

struct FlexFile {
    std::vector<uint8_t> bytes;

    std::optional<ChunkLocation> Chunk(const std::string& ident) const {
        return FindChunk(bytes, ident);
    }
    ByteReader Reader() const { return ByteReader(bytes); }
    FlexHeader Header() const { return *ReadFlexHeader(Reader(), HEADER_DATA_OFFSET); }
    FrameHeader Frame(int index) const {
        const FlexHeader header = Header();
        return *ReadFrameHeader(Reader(), Chunk("frames")->dataOffset + index * header.frameSize);
    }
    PackedVertex Vertex(int frame, int vertex) const {
        const FlexHeader header = Header();
        return *ReadPackedVertex(Reader(), Chunk("frames")->dataOffset + frame * header.frameSize +
                                               FRAME_HEADER_SIZE + vertex * PACKED_VERTEX_SIZE);
    }
    int32_t Int32At(const std::string& ident, std::size_t offset) const {
        return *Reader().Int32(Chunk(ident)->dataOffset + offset);
    }
    float FloatAt(const std::string& ident, std::size_t offset) const {
        return *Reader().Float(Chunk(ident)->dataOffset + offset);
    }
    // The chunk names in file order, each with its size, and whether they fill the file.
    std::vector<std::pair<std::string, int32_t>> Chunks(bool& exact) const {
        std::vector<std::pair<std::string, int32_t>> chunks;
        const ByteReader reader = Reader();
        ChunkCursor cursor(reader);
        exact = true;
        while (!cursor.AtEnd()) {
            const std::optional<ChunkHeader> header = cursor.ReadHeader();
            if (!header || !cursor.TakeChunk(*header)) {
                exact = false;
                break;
            }
            chunks.emplace_back(std::string(header->Ident()), header->size);
        }
        return chunks;
    }
};
