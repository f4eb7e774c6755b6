#pragma once

#include <cstdint>
#include <vector>

#include "scene/forward.h"

namespace platform {

using namespace ::scene;

// Floats per vertex of the renderer's buffers: position (3), normal (3), colour (3), skin
// coordinates (2).
inline constexpr int kFloatsPerVertex = 11;

// A run of triangle vertices drawn with one texture (none: the face colours), or with the
// mesh's skin tinted by the face colours.
struct TextureBatch {
    const C3dTexture* texture = nullptr;
    const C3dImage* skin = nullptr;
    int firstVertex = 0;
    int vertexCount = 0;
};

// A mesh unrolled for drawing: every face fanned into triangles with its own colour at each
// corner (faces differ in colour, so corners are not shared), grouped by texture, and every
// face edge as a line for the wireframe preset.
struct MeshGeometry {
    std::vector<float> triangles;
    std::vector<TextureBatch> batches;
    std::vector<float> lines;

    int TriangleVertexCount() const {
        return static_cast<int>(triangles.size()) / kFloatsPerVertex;
    }
    int LineVertexCount() const { return static_cast<int>(lines.size()) / kFloatsPerVertex; }
};

// Builds both forms; corners without a normal take their face's normal. A mesh with a skin is
// one batch with the skin's coordinates. Skin v runs down the picture while textures are
// uploaded bottom row first, so v is flipped here.
MeshGeometry BuildMeshGeometry(const C3dMesh& mesh);

}  // namespace platform
