#pragma once
// Encoding and bounds-checked decoding of the FlexModel records.

#include <optional>

#include "bytes/byte_reader.h"
#include "bytes/byte_writer.h"
#include "flexmodel/records.h"

namespace flexmodel {

using namespace ::bytes;

void AppendChunkHeader(ByteWriter& out, std::string_view ident, int32_t version, int32_t size);
void AppendFlexHeader(ByteWriter& out, const FlexHeader& header);
void AppendFrameHeader(ByteWriter& out, const FrameHeader& frame);
void AppendPackedVertex(ByteWriter& out, const PackedVertex& vertex);
void AppendStCoord(ByteWriter& out, const StCoord& coord);
void AppendTriangleRecord(ByteWriter& out, const TriangleRecord& triangle);
void AppendMeshNodeRecord(ByteWriter& out, const MeshNodeRecord& node);

std::optional<ChunkHeader> ReadChunkHeader(const ByteReader& in, std::size_t offset);
std::optional<FlexHeader> ReadFlexHeader(const ByteReader& in, std::size_t offset);
std::optional<FrameHeader> ReadFrameHeader(const ByteReader& in, std::size_t offset);
std::optional<PackedVertex> ReadPackedVertex(const ByteReader& in, std::size_t offset);
std::optional<StCoord> ReadStCoord(const ByteReader& in, std::size_t offset);
std::optional<TriangleRecord> ReadTriangleRecord(const ByteReader& in, std::size_t offset);
std::optional<MeshNodeRecord> ReadMeshNodeRecord(const ByteReader& in, std::size_t offset);

}  // namespace flexmodel
