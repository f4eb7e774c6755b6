#include "editor/export/mesh_chunks.h"

#include <algorithm>

#include "flexmodel/record_io.h"

namespace editor::flexexport {

namespace {

float Flipped(float texel) {
    return std::max(0.0f, 255.0f - texel);
}

int16_t Texel(float value) {
    return static_cast<int16_t>(static_cast<int>(value));
}

}  // namespace

bool WriteHeaderChunk(FlexExporter& exporter, const MeshData& mesh, int frameCount) {
    FlexHeader& header = exporter.header;
    header.skinWidth = EXPORT_SKIN_SIZE;
    header.skinHeight = EXPORT_SKIN_SIZE;
    header.numSkins = static_cast<int32_t>(std::size(EXPORT_SKINS));
    header.numMeshNodes = FLEX_MAX_MESH_NODES;
    header.numGlCmds = 0;
    header.numFrames = frameCount;
    header.numXyz = mesh.vertexCount;
    header.numSt = mesh.texVertexCount;
    header.numTris = mesh.TriangleCount();
    header.frameSize = static_cast<int32_t>(FRAME_HEADER_SIZE + PACKED_VERTEX_SIZE * header.numXyz);
    ByteWriter data;
    AppendFlexHeader(data, header);
    return exporter.WriteChunk(HEADER_CHUNK, data);
}

bool WriteSkinChunk(FlexExporter& exporter) {
    ByteWriter data;
    for (const char* skin : EXPORT_SKINS) {
        data.AppendFixedName(skin, SKIN_NAME_SIZE);
    }
    return exporter.WriteChunk(SKIN_CHUNK, data);
}

bool WriteStCoordChunk(FlexExporter& exporter, const MeshData& mesh, bool flipU, bool flipV) {
    std::copy(std::begin(mesh.texVertices), std::end(mesh.texVertices), exporter.texCoords);
    const int count = std::clamp(mesh.texVertexCount, 0, MAX_MESH_ELEMENTS);
    ByteWriter data;
    for (int i = 0; i < count; ++i) {
        TexVertex& texel = exporter.texCoords[i];
        if (flipU) {
            texel.u = Flipped(texel.u);
        }
        if (flipV) {
            texel.v = Flipped(texel.v);
        }
        AppendStCoord(data, StCoord{Texel(texel.u), Texel(texel.v)});
    }
    return exporter.WriteChunk(ST_COORD_CHUNK, data);
}

bool WriteTrisChunk(FlexExporter& exporter, const MeshData& mesh) {
    ByteWriter data;
    const int count = mesh.TriangleCount();
    for (int i = 0; i < count; ++i) {
        int a, b, c, ta, tb, tc;
        mesh.GetTriangle(i, a, b, c);
        mesh.GetTexTriangle(i, ta, tb, tc);
        TriangleRecord record;
        record.vertexIndex = {static_cast<int16_t>(a), static_cast<int16_t>(b),
                              static_cast<int16_t>(c)};
        record.stIndex = {static_cast<int16_t>(ta), static_cast<int16_t>(tb),
                          static_cast<int16_t>(tc)};
        AppendTriangleRecord(data, record);
    }
    return exporter.WriteChunk(TRIS_CHUNK, data);
}

bool UpdateHeaderChunk(FlexExporter& exporter) {
    ByteWriter data;
    AppendFlexHeader(data, exporter.header);
    return exporter.Rewrite(HEADER_DATA_OFFSET, data);
}

}  // namespace editor::flexexport
