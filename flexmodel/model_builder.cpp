#include "flexmodel/model_builder.h"

#include "flexmodel/chunk_writer.h"
#include "flexmodel/record_io.h"

namespace flexmodel {

namespace {

// One chunk's data: its records one after the other.
template <typename Record>
ByteWriter RecordData(const std::vector<Record>& records,
                      void (*append)(ByteWriter&, const Record&)) {
    ByteWriter data;
    for (const Record& record : records) {
        append(data, record);
    }
    return data;
}

int32_t VertexCount(const FlexModelContent& content) {
    return content.frames.empty() ? 0 : static_cast<int32_t>(content.frames[0].vertices.size());
}

ByteWriter SkinData(const FlexModelContent& content) {
    ByteWriter data;
    for (const std::string& skin : content.skins) {
        data.AppendFixedName(skin, SKIN_NAME_SIZE);
    }
    return data;
}

ByteWriter FrameData(const FlexModelContent& content) {
    ByteWriter data;
    for (const FlexFrame& frame : content.frames) {
        FrameHeader header;
        header.scale = frame.space.scale;
        header.translate = frame.space.translate;
        SetFixedName(header.name, frame.name);
        AppendFrameHeader(data, header);
        for (const PackedVertex& vertex : frame.vertices) {
            AppendPackedVertex(data, vertex);
        }
    }
    return data;
}

ByteWriter SkeletonData(const FlexSkeleton& skeleton) {
    ByteWriter data;
    data.AppendInt32(skeleton.skeletonType);
    data.AppendInt32(static_cast<int32_t>(skeleton.clusters.size()));
    for (const auto& cluster : skeleton.clusters) {
        data.AppendInt32(static_cast<int32_t>(cluster.size()));
    }
    for (const auto& cluster : skeleton.clusters) {
        for (int32_t index : cluster) {
            data.AppendInt32(index);
        }
    }
    data.AppendInt32(skeleton.hasPositions ? 1 : 0);
    for (const auto& frame : skeleton.framePoints) {
        for (float value : frame) {
            data.AppendFloat(value);
        }
    }
    return data;
}

ByteWriter ReferenceData(const FlexReferences& references) {
    ByteWriter data;
    data.AppendInt32(references.referenceType);
    data.AppendInt32(references.hasReferences);
    for (const auto& frame : references.framePoints) {
        for (float value : frame) {
            data.AppendFloat(value);
        }
    }
    return data;
}

}  // namespace

FlexHeader HeaderFor(const FlexModelContent& content) {
    FlexHeader header;
    header.skinWidth = content.skinWidth;
    header.skinHeight = content.skinHeight;
    header.numXyz = VertexCount(content);
    header.frameSize = static_cast<int32_t>(FRAME_HEADER_SIZE + PACKED_VERTEX_SIZE * header.numXyz);
    header.numSkins = static_cast<int32_t>(content.skins.size());
    header.numSt = static_cast<int32_t>(content.stCoords.size());
    header.numTris = static_cast<int32_t>(content.triangles.size());
    header.numGlCmds = static_cast<int32_t>(content.glCommandWords.size());
    header.numFrames = static_cast<int32_t>(content.frames.size());
    header.numMeshNodes = static_cast<int32_t>(content.meshNodes.size());
    return header;
}

std::vector<uint8_t> BuildFlexModel(const FlexModelContent& content) {
    ChunkWriter writer;
    FlexHeader header = HeaderFor(content);
    // The command count is only final once the commands are written, as in the export.
    FlexHeader firstHeader = header;
    firstHeader.numGlCmds = 0;
    ByteWriter headerData;
    AppendFlexHeader(headerData, firstHeader);
    writer.WriteChunk(HEADER_CHUNK, headerData);
    writer.WriteChunk(SKIN_CHUNK, SkinData(content));
    writer.WriteChunk(ST_COORD_CHUNK, RecordData(content.stCoords, AppendStCoord));
    writer.WriteChunk(TRIS_CHUNK, RecordData(content.triangles, AppendTriangleRecord));
    writer.WriteChunk(FRAMES_CHUNK, FrameData(content));
    writer.BeginChunk(GLCMDS_CHUNK);
    for (uint32_t word : content.glCommandWords) {
        writer.Data().AppendUint32(word);
    }
    writer.EndChunk();
    writer.WriteChunk(MESH_NODES_CHUNK, RecordData(content.meshNodes, AppendMeshNodeRecord));
    if (content.skeleton) {
        writer.WriteChunk(SKELETON_CHUNK, SkeletonData(*content.skeleton));
    }
    if (content.references) {
        writer.WriteChunk(REFERENCES_CHUNK, ReferenceData(*content.references));
    }
    writer.RewriteHeader(header);
    return writer.Bytes();
}

}  // namespace flexmodel
