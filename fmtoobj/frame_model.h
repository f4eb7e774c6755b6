#pragma once
// Everything the export of one frame needs, decoded from the file and checked.

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "flexmodel/gl_commands.h"
#include "flexmodel/packed_space.h"
#include "flexmodel/records.h"

namespace fmtoobj {

using namespace ::flexmodel;

struct GlCommand {
    GlCommandKind kind = GlCommandKind::Fan;
    std::vector<GlVertex> vertices;  // every vertexIndex lies below the vertex count
};

struct FrameModel {
    int numMeshNodes = 0;
    std::string frameName;
    PackedSpace space;
    std::vector<PackedVertex> vertices;
    std::vector<StCoord> stCoords;
    // The command lists of the mesh nodes the node mask selects; the others stay empty.
    std::array<std::vector<GlCommand>, FLEX_MAX_MESH_NODES> nodeCommands;
    std::optional<std::array<float, REFERENCE_FRAME_FLOATS>> references;
    std::optional<std::array<float, SKELETON_FRAME_FLOATS>> skeleton;

    // Node j takes part in an export with `mask` when its bit is set and the file has it.
    bool NodeSelected(int node, uint32_t mask) const {
        return node >= 0 && node < numMeshNodes && node < 32 && ((mask >> node) & 1u);
    }
};

}  // namespace fmtoobj
