#pragma once
// Encoding and bounds-checked decoding of the FlexModel records.

#include <optional>

#include "bytes/byte_reader.h"
#include "flexmodel/byte_builder.h"
#include "flexmodel/records.h"

namespace flexmodel {

using namespace ::bytes;

void AppendChunkHeader(ByteBuilder& out, std::string_view ident, int32_t version, int32_t size);
void AppendFlexHeader(ByteBuilder& out, const FlexHeader& header);
void AppendFrameHeader(ByteBuilder& out, const FrameHeader& frame);
void AppendPackedVertex(ByteBuilder& out, const PackedVertex& vertex);
void AppendStCoord(ByteBuilder& out, const StCoord& coord);
void AppendTriangleRecord(ByteBuilder& out, const TriangleRecord& triangle);
void AppendMeshNodeRecord(ByteBuilder& out, const MeshNodeRecord& node);

std::optional<ChunkHeader> ReadChunkHeader(const ByteReader& in, std::size_t offset);
std::optional<FlexHeader> ReadFlexHeader(const ByteReader& in, std::size_t offset);
std::optional<FrameHeader> ReadFrameHeader(const ByteReader& in, std::size_t offset);
std::optional<PackedVertex> ReadPackedVertex(const ByteReader& in, std::size_t offset);
std::optional<StCoord> ReadStCoord(const ByteReader& in, std::size_t offset);
std::optional<TriangleRecord> ReadTriangleRecord(const ByteReader& in, std::size_t offset);
std::optional<MeshNodeRecord> ReadMeshNodeRecord(const ByteReader& in, std::size_t offset);

}  // namespace flexmodel
