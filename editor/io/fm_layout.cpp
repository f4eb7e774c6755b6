#include "editor/io/fm_layout.h"

#include "bytes/byte_reader.h"
#include "flexmodel/chunk_search.h"
#include "flexmodel/record_io.h"

namespace editor::io {

using namespace ::bytes;
using namespace ::flexmodel;

namespace {

bool ChunkData(std::span<const uint8_t> bytes, const ChunkKind& kind,
               std::span<const uint8_t>& out) {
    auto chunk = FindChunk(bytes, kind.ident);
    if (!chunk) {
        return false;
    }
    out = bytes.subspan(chunk->dataOffset, chunk->dataSize);
    return true;
}

}  // namespace

std::optional<QuakeModelLayout> FmLayout(std::span<const uint8_t> bytes, bool withMesh) {
    const ByteReader in(bytes);
    auto first = ReadChunkHeader(in, 0);
    if (!first || first->Ident() != HEADER_CHUNK.ident) {
        return std::nullopt;
    }
    auto header = ReadFlexHeader(in, HEADER_DATA_OFFSET);
    if (!header) {
        return std::nullopt;
    }
    QuakeModelLayout layout;
    layout.frameSize = header->frameSize;
    layout.numXyz = header->numXyz;
    layout.numSt = header->numSt;
    layout.numTris = header->numTris;
    layout.numFrames = header->numFrames;
    layout.skinWidth = header->skinWidth;
    layout.skinHeight = header->skinHeight;
    layout.numSkins = header->numSkins;
    if (!ChunkData(bytes, SKIN_CHUNK, layout.skins)) {
        layout.skins = {};
    }
    if (!ChunkData(bytes, FRAMES_CHUNK, layout.frames)) {
        return std::nullopt;
    }
    if (withMesh && (!ChunkData(bytes, TRIS_CHUNK, layout.triangles) ||
                     !ChunkData(bytes, ST_COORD_CHUNK, layout.stCoords))) {
        return std::nullopt;
    }
    return layout;
}

}  // namespace editor::io
