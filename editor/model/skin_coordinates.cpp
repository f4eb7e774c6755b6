#include "editor/model/skin_coordinates.h"

#include <algorithm>

#include "editor/model/mesh_data.h"

namespace editor::model {

using namespace ::scene;

std::vector<C3dTexCoord> SkinCoordinates(const MeshData& mesh) {
    const int triangles = mesh.TriangleCount();
    const int texCount = std::clamp(mesh.texVertexCount, 0, MAX_MESH_ELEMENTS);
    std::vector<C3dTexCoord> coords;
    coords.reserve(static_cast<size_t>(triangles) * 3);
    for (int t = 0; t < triangles; ++t) {
        int corners[3] = {-1, -1, -1};
        mesh.GetTexTriangle(t, corners[0], corners[1], corners[2]);
        for (int index : corners) {
            if (index < 0 || index >= texCount) {
                coords.push_back({});
                continue;
            }
            const TexVertex& texel = mesh.texVertices[index];
            coords.push_back({static_cast<float>(texel.u / SKIN_TEXELS),
                              static_cast<float>(texel.v / SKIN_TEXELS)});
        }
    }
    return coords;
}

}  // namespace editor::model
