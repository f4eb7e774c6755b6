#pragma once
// Builds a complete FlexModel file from its parts, chunk by chunk in the order the editor
// writes them: header, skin, st coord, tris, frames, glcmds, mesh nodes, skeleton, references.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "flexmodel/gl_commands.h"
#include "flexmodel/packed_space.h"
#include "flexmodel/records.h"

namespace flexmodel {

struct FlexFrame {
    std::string name;
    PackedSpace space;
    std::vector<PackedVertex> vertices;
};

struct FlexSkeleton {
    int32_t skeletonType = 5;
    std::vector<std::vector<int32_t>> clusters;
    bool hasPositions = true;
    // Per frame: origin, direction point and up point of each joint, stored packed.
    std::vector<std::array<float, SKELETON_FRAME_FLOATS>> framePoints;
};

struct FlexReferences {
    int32_t referenceType = 0;
    int32_t hasReferences = 1;
    std::vector<std::array<float, REFERENCE_FRAME_FLOATS>> framePoints;
};

struct FlexModelContent {
    int32_t skinWidth = 256;
    int32_t skinHeight = 256;
    std::vector<std::string> skins;
    std::vector<StCoord> stCoords;
    std::vector<TriangleRecord> triangles;
    std::vector<FlexFrame> frames;  // every frame holds the same number of vertices
    std::vector<uint32_t> glCommandWords;
    std::vector<MeshNodeRecord> meshNodes;
    std::optional<FlexSkeleton> skeleton;
    std::optional<FlexReferences> references;
};

// The header the content describes, numGlCmds included.
FlexHeader HeaderFor(const FlexModelContent& content);
std::vector<uint8_t> BuildFlexModel(const FlexModelContent& content);

}  // namespace flexmodel
