#pragma once
// Meshes built for the skin tests: each triangle gets its own three vertices and texture
// vertices, so texture areas can be laid out freely.

#include <memory>

#include "editor/model/mesh_data.h"

using namespace ::editor::model;

inline void AddTexturedTriangle(MeshData& mesh, float u0, float v0, float u1, float v1, float u2,
                                float v2) {
    const int base = mesh.vertexCount;
    const int texBase = mesh.texVertexCount;
    mesh.AddVertex(Vector(base, 0.0, 0.0));
    mesh.AddVertex(Vector(base, 1.0, 0.0));
    mesh.AddVertex(Vector(base, 0.0, 1.0));
    mesh.texVertices[texBase] = {u0, v0, 0.0f};
    mesh.texVertices[texBase + 1] = {u1, v1, 0.0f};
    mesh.texVertices[texBase + 2] = {u2, v2, 0.0f};
    mesh.texVertexCount += 3;
    mesh.AddTriangle(base, base + 1, base + 2, texBase, texBase + 1, texBase + 2);
}

// Two triangles covering the texel rectangle from (u0, v0) to (u1, v1).
inline void AddTexturedRect(MeshData& mesh, float u0, float v0, float u1, float v1) {
    AddTexturedTriangle(mesh, u0, v0, u1, v0, u1, v1);
    AddTexturedTriangle(mesh, u0, v0, u1, v1, u0, v1);
}

inline std::unique_ptr<MeshData> MeshWithRect(float u0, float v0, float u1, float v1) {
    auto mesh = std::make_unique<MeshData>();
    AddTexturedRect(*mesh, u0, v0, u1, v1);
    return mesh;
}
