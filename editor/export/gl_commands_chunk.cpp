#include "editor/export/gl_commands_chunk.h"

#include <memory>

#include "flexmodel/gl_commands.h"
#include "flexmodel/record_io.h"

namespace editor::flexexport {

namespace {

constexpr float SKIN_TEXELS = 256.0f;

GlVertex CommandVertex(const FlexExporter& exporter, int vertex, int texVertex) {
    const bool inRange = texVertex >= 0 && texVertex < MAX_MESH_ELEMENTS;
    const TexVertex texel = inRange ? exporter.texCoords[texVertex] : TexVertex{};
    return GlVertex{texel.u / SKIN_TEXELS, texel.v / SKIN_TEXELS, vertex};
}

}  // namespace

void BuildGlCommandLists(const FlexExporter& exporter, const MeshData& mesh,
                         const MeshNodeSets& nodes, GlCommandLists& lists) {
    lists.words.clear();
    for (int node = 0; node < NUM_MESH_NODES; ++node) {
        MeshNodeRecord& record = lists.nodes[node];
        nodes.triangles[node].StoreBytes(record.triangleMask.data(), record.triangleMask.size());
        nodes.corners[node].StoreBytes(record.vertexMask.data(), record.vertexMask.size());
        const std::size_t start = lists.words.size();
        nodes.triangles[node].ForEachSet(
            [&](int t) {
                int a, b, c, ta, tb, tc;
                if (!mesh.GetTriangle(t, a, b, c) || !mesh.GetTexTriangle(t, ta, tb, tc)) {
                    return;
                }
                const GlVertex fan[3] = {CommandVertex(exporter, a, ta),
                                         CommandVertex(exporter, b, tb),
                                         CommandVertex(exporter, c, tc)};
                AppendGlCommand(lists.words, GlCommandKind::Fan, fan);
            },
            mesh.TriangleCount());
        EndGlCommandList(lists.words);
        record.glStart = static_cast<int16_t>(start);
        record.glCount = static_cast<int16_t>(lists.words.size() - start);
    }
}

bool WriteGlCommandsAndMeshNodes(FlexExporter& exporter, const ModelDocument& document) {
    auto nodes = std::make_unique<MeshNodeSets>();
    AssignMeshNodes(document, *nodes);
    auto lists = std::make_unique<GlCommandLists>();
    BuildGlCommandLists(exporter, document.generatedModel.mesh, *nodes, *lists);

    ByteWriter commands;
    for (uint32_t word : lists->words) {
        commands.AppendUint32(word);
    }
    ByteWriter records;
    for (const MeshNodeRecord& record : lists->nodes) {
        AppendMeshNodeRecord(records, record);
    }
    if (!exporter.WriteChunk(GLCMDS_CHUNK, commands) ||
        !exporter.WriteChunk(MESH_NODES_CHUNK, records)) {
        return false;
    }
    exporter.header.numGlCmds = static_cast<int32_t>(lists->words.size());
    return true;
}

}  // namespace editor::flexexport
