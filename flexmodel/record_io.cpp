#include "flexmodel/record_io.h"

#include <algorithm>

namespace flexmodel {

namespace {

// The header's fields in file order, so that reading and writing cannot disagree.
std::array<int32_t FlexHeader::*, 10> HeaderFields() {
    return {&FlexHeader::skinWidth,   &FlexHeader::skinHeight, &FlexHeader::frameSize,
            &FlexHeader::numSkins,    &FlexHeader::numXyz,     &FlexHeader::numSt,
            &FlexHeader::numTris,     &FlexHeader::numGlCmds,  &FlexHeader::numFrames,
            &FlexHeader::numMeshNodes};
}

bool ReadFloats(const ByteReader& in, std::size_t offset, std::array<float, 3>& out) {
    for (std::size_t i = 0; i < out.size(); ++i) {
        auto value = in.Float(offset + 4 * i);
        if (!value) {
            return false;
        }
        out[i] = *value;
    }
    return true;
}

template <std::size_t N>
void CopyField(std::span<const uint8_t> bytes, std::array<char, N>& field) {
    std::copy(bytes.begin(), bytes.begin() + N, reinterpret_cast<uint8_t*>(field.data()));
}

}  // namespace

void AppendChunkHeader(ByteWriter& out, std::string_view ident, int32_t version, int32_t size) {
    out.AppendFixedName(ident, CHUNK_IDENT_SIZE);
    out.AppendInt32(version);
    out.AppendInt32(size);
}

void AppendFlexHeader(ByteWriter& out, const FlexHeader& header) {
    for (auto field : HeaderFields()) {
        out.AppendInt32(header.*field);
    }
}

void AppendFrameHeader(ByteWriter& out, const FrameHeader& frame) {
    for (float value : frame.scale) {
        out.AppendFloat(value);
    }
    for (float value : frame.translate) {
        out.AppendFloat(value);
    }
    out.AppendBytes(
        std::span(reinterpret_cast<const uint8_t*>(frame.name.data()), frame.name.size()));
}

void AppendPackedVertex(ByteWriter& out, const PackedVertex& vertex) {
    out.AppendUint8(vertex.x);
    out.AppendUint8(vertex.y);
    out.AppendUint8(vertex.z);
    out.AppendUint8(vertex.normalIndex);
}

void AppendStCoord(ByteWriter& out, const StCoord& coord) {
    out.AppendInt16(coord.s);
    out.AppendInt16(coord.t);
}

void AppendTriangleRecord(ByteWriter& out, const TriangleRecord& triangle) {
    for (int16_t index : triangle.vertexIndex) {
        out.AppendInt16(index);
    }
    for (int16_t index : triangle.stIndex) {
        out.AppendInt16(index);
    }
}

void AppendMeshNodeRecord(ByteWriter& out, const MeshNodeRecord& node) {
    out.AppendBytes(node.triangleMask);
    out.AppendBytes(node.vertexMask);
    out.AppendInt16(node.glStart);
    out.AppendInt16(node.glCount);
}

std::optional<ChunkHeader> ReadChunkHeader(const ByteReader& in, std::size_t offset) {
    auto ident = in.Slice(offset, CHUNK_IDENT_SIZE);
    auto version = in.Int32(offset + CHUNK_IDENT_SIZE);
    auto size = in.Int32(offset + CHUNK_IDENT_SIZE + 4);
    if (!ident || !version || !size) {
        return std::nullopt;
    }
    ChunkHeader header;
    CopyField(*ident, header.ident);
    header.version = *version;
    header.size = *size;
    return header;
}

std::optional<FlexHeader> ReadFlexHeader(const ByteReader& in, std::size_t offset) {
    if (!in.Contains(offset, HEADER_DATA_SIZE)) {
        return std::nullopt;
    }
    FlexHeader header;
    std::size_t at = offset;
    for (auto field : HeaderFields()) {
        header.*field = *in.Int32(at);
        at += 4;
    }
    return header;
}

std::optional<FrameHeader> ReadFrameHeader(const ByteReader& in, std::size_t offset) {
    FrameHeader frame;
    auto name = in.Slice(offset + 24, FRAME_NAME_SIZE);
    if (!name || !ReadFloats(in, offset, frame.scale) ||
        !ReadFloats(in, offset + 12, frame.translate)) {
        return std::nullopt;
    }
    CopyField(*name, frame.name);
    return frame;
}

std::optional<PackedVertex> ReadPackedVertex(const ByteReader& in, std::size_t offset) {
    auto bytes = in.Slice(offset, PACKED_VERTEX_SIZE);
    if (!bytes) {
        return std::nullopt;
    }
    return PackedVertex{(*bytes)[0], (*bytes)[1], (*bytes)[2], (*bytes)[3]};
}

std::optional<StCoord> ReadStCoord(const ByteReader& in, std::size_t offset) {
    auto s = in.Int16(offset);
    auto t = in.Int16(offset + 2);
    if (!s || !t) {
        return std::nullopt;
    }
    return StCoord{*s, *t};
}

std::optional<TriangleRecord> ReadTriangleRecord(const ByteReader& in, std::size_t offset) {
    if (!in.Contains(offset, TRIANGLE_RECORD_SIZE)) {
        return std::nullopt;
    }
    TriangleRecord triangle;
    for (std::size_t i = 0; i < 3; ++i) {
        triangle.vertexIndex[i] = *in.Int16(offset + 2 * i);
        triangle.stIndex[i] = *in.Int16(offset + 6 + 2 * i);
    }
    return triangle;
}

std::optional<MeshNodeRecord> ReadMeshNodeRecord(const ByteReader& in, std::size_t offset) {
    auto triangles = in.Slice(offset, MASK_BYTES);
    auto vertices = in.Slice(offset + MASK_BYTES, MASK_BYTES);
    auto glStart = in.Int16(offset + 2 * MASK_BYTES);
    auto glCount = in.Int16(offset + 2 * MASK_BYTES + 2);
    if (!triangles || !vertices || !glStart || !glCount) {
        return std::nullopt;
    }
    MeshNodeRecord node;
    std::copy(triangles->begin(), triangles->end(), node.triangleMask.begin());
    std::copy(vertices->begin(), vertices->end(), node.vertexMask.begin());
    node.glStart = *glStart;
    node.glCount = *glCount;
    return node;
}

}  // namespace flexmodel
