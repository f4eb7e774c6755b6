#pragma once
// The "glcmds" chunk (one three-vertex fan per triangle, node after node) and the "mesh
// nodes" chunk that says which triangles, corners and commands belong to each node.

#include <cstdint>
#include <vector>

#include "editor/export/flex_exporter.h"
#include "editor/export/mesh_nodes.h"
#include "flexmodel/records.h"

namespace editor::flexexport {

struct GlCommandLists {
    std::vector<uint32_t> words;
    MeshNodeRecord nodes[NUM_MESH_NODES];
};

// The command words of every node in node order, each list ended by a 0 word, with the
// texture coordinates of the exporter's flipped copy (texel / 256); the records get the
// nodes' masks and where their lists lie.
void BuildGlCommandLists(const FlexExporter& exporter, const MeshData& mesh,
                         const MeshNodeSets& nodes, GlCommandLists& lists);

// Assigns the nodes, writes both chunks and sets the header's numGlCmds.
bool WriteGlCommandsAndMeshNodes(FlexExporter& exporter, const ModelDocument& document);

}  // namespace editor::flexexport
