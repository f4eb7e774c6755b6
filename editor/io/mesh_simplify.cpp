#include "editor/io/mesh_simplify.h"

#include <meshoptimizer.h>

#include <algorithm>
#include <map>
#include <utility>

#include "editor/model/finish_import.h"
#include "editor/model/mesh_data.h"

namespace editor::io {

using namespace ::editor::model;

namespace {

// Relative to the mesh's size: large enough that the count asked for is reached on any
// surface; the collapse order still takes the least visible edges first.
constexpr float ANY_ERROR = 1.0f;
// Each round that still does not fit aims this much lower.
constexpr double NEXT_ROUND = 0.9;
constexpr int MAX_ROUNDS = 40;

// Keeps only the vertices the indices use, in their first use's order.
void KeepUsedVertices(ImportedModel& model, std::vector<uint32_t> indices) {
    std::vector<int64_t> newIndex(model.positions.size(), -1);
    std::vector<uint32_t> kept;
    for (uint32_t& index : indices) {
        if (newIndex[index] < 0) {
            newIndex[index] = static_cast<int64_t>(kept.size());
            kept.push_back(index);
        }
        index = static_cast<uint32_t>(newIndex[index]);
    }
    ImportedModel lighter;
    lighter.indices = std::move(indices);
    lighter.positions.reserve(kept.size());
    for (uint32_t old : kept) {
        lighter.positions.push_back(model.positions[old]);
        if (!model.uvs.empty()) {
            lighter.uvs.push_back(model.uvs[old]);
        }
        if (!model.rig.influences.empty()) {
            lighter.rig.influences.push_back(std::move(model.rig.influences[old]));
        }
    }
    model.positions = std::move(lighter.positions);
    model.uvs = std::move(lighter.uvs);
    model.indices = std::move(lighter.indices);
    if (!model.rig.influences.empty()) {
        model.rig.influences = std::move(lighter.rig.influences);
    }
}

// The texture vertices an import installs when its file has none: no seams to keep.
bool HasOnlyDefaultTexture(const MeshData& mesh) {
    if (mesh.texVertexCount != 3) {
        return mesh.texVertexCount == 0;
    }
    for (int i = 0; i < 3; ++i) {
        if (mesh.texVertices[i].u != DEFAULT_TEX_VERTICES[i][0] ||
            mesh.texVertices[i].v != DEFAULT_TEX_VERTICES[i][1]) {
            return false;
        }
    }
    return true;
}

}  // namespace

void SimplifyModel(ImportedModel& model, std::size_t targetTriangles) {
    if (model.TriangleCount() <= targetTriangles || model.positions.empty()) {
        return;
    }
    std::vector<uint32_t> lighter(model.indices.size());
    const std::size_t count =
        meshopt_simplify(lighter.data(), model.indices.data(), model.indices.size(),
                         model.positions[0].data(), model.positions.size(),
                         sizeof(model.positions[0]), targetTriangles * 3, ANY_ERROR, 0, nullptr);
    lighter.resize(count);
    KeepUsedVertices(model, std::move(lighter));
}

bool FitsCapacity(const ImportedModel& model, std::size_t capacity) {
    const StoredCounts counts = CountStored(model);
    return counts.vertices <= capacity && counts.texVertices <= capacity &&
           counts.triangles <= capacity;
}

bool SimplifyToFit(ImportedModel& model, std::size_t capacity) {
    // A few triangles under the capacity leave room for the editor's own additions.
    double target = static_cast<double>(capacity) - 8.0;
    for (int round = 0; round < MAX_ROUNDS && !FitsCapacity(model, capacity); ++round) {
        const std::size_t before = model.TriangleCount();
        SimplifyModel(model, static_cast<std::size_t>(std::max(target, 1.0)));
        if (FitsCapacity(model, capacity)) {
            return true;
        }
        // Too many vertices for the triangles, or the surface stopped collapsing: aim lower.
        const StoredCounts counts = CountStored(model);
        const double over =
            std::max({static_cast<double>(counts.vertices), static_cast<double>(counts.texVertices),
                      static_cast<double>(counts.triangles)}) /
            static_cast<double>(capacity);
        target = std::min(target * NEXT_ROUND,
                          static_cast<double>(model.TriangleCount()) / over * NEXT_ROUND);
        if (model.TriangleCount() == before && target < 1.0) {
            break;
        }
    }
    return FitsCapacity(model, capacity);
}

ImportedModel ModelOfMesh(const MeshData& mesh) {
    ImportedModel model;
    std::map<std::pair<int, int>, uint32_t> cornerVertex;
    const bool textured = !HasOnlyDefaultTexture(mesh);
    for (int t = 0, count = mesh.TriangleCount(); t < count; ++t) {
        int corners[3];
        int texCorners[3] = {0, 0, 0};
        mesh.GetTriangle(t, corners[0], corners[1], corners[2]);
        if (textured) {
            mesh.GetTexTriangle(t, texCorners[0], texCorners[1], texCorners[2]);
        }
        for (int k = 0; k < 3; ++k) {
            const int tex = textured && texCorners[k] >= 0 && texCorners[k] < mesh.texVertexCount
                                ? texCorners[k]
                                : 0;
            auto [at, added] = cornerVertex.emplace(std::pair{corners[k], tex},
                                                    static_cast<uint32_t>(model.positions.size()));
            if (added) {
                const Vector& p = mesh.vertices[corners[k]];
                model.positions.push_back({p.x, p.y, p.z});
                if (textured) {
                    model.uvs.push_back({mesh.texVertices[tex].u, mesh.texVertices[tex].v});
                }
            }
            model.indices.push_back(at->second);
        }
    }
    return model;
}

}  // namespace editor::io
