#include "fmtoobj/model_decoder.h"

#include "flexmodel/record_io.h"
#include "fmtoobj/command_list.h"
#include "fmtoobj/console_text.h"

namespace fmtoobj {

using namespace ::flexmodel;

namespace {

using Fatal = std::optional<std::string>;

Fatal CheckRequiredChunks(const ChunkMap& map) {
    if (!map.header) {
        return "Model has no HEADER chunk";
    }
    if (!map.stCoords) {
        return "Model has no ST COORD chunk";
    }
    if (!map.frames) {
        return "Model has no FRAMES chunk";
    }
    if (!map.glCommands) {
        return "Model has no GLCMDS chunk";
    }
    if (!map.meshNodes) {
        return "Model has no MESH NODES chunk";
    }
    return std::nullopt;
}

void DecodeFrame(const ByteReader& file, const ChunkMap& map, FrameModel& model) {
    // The walk checked that the whole frame lies inside the "frames" data.
    FrameHeader frame = *ReadFrameHeader(file, map.frameOffset);
    model.frameName = map.frameName;
    model.space = PackedSpace::Of(frame);
    std::size_t first = map.frameOffset + FRAME_HEADER_SIZE;
    for (int i = 0; i < map.header->numXyz; ++i) {
        model.vertices.push_back(*ReadPackedVertex(file, first + PACKED_VERTEX_SIZE * i));
    }
}

Fatal DecodeStCoords(const ByteReader& file, const ChunkMap& map, FrameModel& model) {
    std::size_t numSt = std::size_t(map.header->numSt);
    if (map.stCoords->size / ST_COORD_SIZE < numSt) {
        return Format("ST COORD chunk holds fewer than the %zu texture vertices of the header",
                      numSt);
    }
    for (std::size_t i = 0; i < numSt; ++i) {
        model.stCoords.push_back(*ReadStCoord(file, map.stCoords->offset + ST_COORD_SIZE * i));
    }
    return std::nullopt;
}

Fatal DecodeNodeCommands(const ByteReader& file, const ChunkMap& map, uint32_t nodeMask,
                         FrameModel& model) {
    int numMeshNodes = map.header->numMeshNodes;
    if (map.meshNodes->size / MESH_NODE_RECORD_SIZE < std::size_t(numMeshNodes)) {
        return Format("MESH NODES chunk holds fewer than the %d mesh nodes of the header",
                      numMeshNodes);
    }
    model.numMeshNodes = numMeshNodes;
    CommandListSource source{*file.Range(map.glCommands->offset, map.glCommands->size),
                             map.header->numXyz};
    for (int node = 0; node < numMeshNodes; ++node) {
        if (!model.NodeSelected(node, nodeMask)) {
            continue;
        }
        MeshNodeRecord record =
            *ReadMeshNodeRecord(file, map.meshNodes->offset + MESH_NODE_RECORD_SIZE * node);
        if (Fatal fatal = ReadCommandList(source, node, record.glStart, record.glCount,
                                          model.nodeCommands[node])) {
            return fatal;
        }
    }
    return std::nullopt;
}

template <std::size_t N>
std::array<float, N> ReadFloatBlock(const ByteReader& file, std::size_t offset) {
    std::array<float, N> block{};
    for (std::size_t i = 0; i < N; ++i) {
        block[i] = file.Float(offset + 4 * i).value_or(0.0f);
    }
    return block;
}

void DecodeExtendedBlocks(const ByteReader& file, const ChunkMap& map, FrameModel& model) {
    if (map.referenceBlock) {
        model.references = ReadFloatBlock<REFERENCE_FRAME_FLOATS>(file, *map.referenceBlock);
    }
    if (map.skeletonBlock) {
        model.skeleton = ReadFloatBlock<SKELETON_FRAME_FLOATS>(file, *map.skeletonBlock);
    }
}

}  // namespace

std::optional<std::string> DecodeFrameModel(const ByteReader& file, const ChunkMap& map,
                                            uint32_t nodeMask, FrameModel& model) {
    if (Fatal fatal = CheckRequiredChunks(map)) {
        return fatal;
    }
    DecodeFrame(file, map, model);
    if (Fatal fatal = DecodeStCoords(file, map, model)) {
        return fatal;
    }
    if (Fatal fatal = DecodeNodeCommands(file, map, nodeMask, model)) {
        return fatal;
    }
    DecodeExtendedBlocks(file, map, model);
    return std::nullopt;
}

}  // namespace fmtoobj
