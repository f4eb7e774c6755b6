#include "editor/io/raw_mesh.h"

namespace editor::io {

int RawMesh::FindGroup(const std::string& name) const {
    for (std::size_t i = 0; i < groups.size(); ++i) {
        if (groups[i].name == name) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int RawMesh::GroupIndex(const std::string& name) {
    int index = FindGroup(name);
    if (index >= 0) {
        return index;
    }
    if (groups.size() >= static_cast<std::size_t>(MAX_TRIANGLE_GROUPS)) {
        return -1;
    }
    groups.push_back(RawGroup{name, {}});
    return static_cast<int>(groups.size()) - 1;
}

namespace {

bool IndexIn(int32_t index, std::size_t count) {
    return index >= 0 && static_cast<std::size_t>(index) < count;
}

bool TriangleFits(const RawTriangle& triangle, const RawMesh& mesh) {
    for (int k = 0; k < 3; ++k) {
        if (!IndexIn(triangle.corners[k], mesh.vertices.size())) {
            return false;
        }
        if (!mesh.texVertices.empty() &&
            !IndexIn(triangle.texCorners[k], mesh.texVertices.size())) {
            return false;
        }
    }
    return true;
}

bool GroupFits(const RawGroup& group, std::size_t triangleCount) {
    for (int t : group.triangles) {
        if (!IndexIn(t, triangleCount)) {
            return false;
        }
    }
    return true;
}

}  // namespace

bool RawMeshFits(const RawMesh& mesh) {
    const std::size_t limit = MAX_MESH_ELEMENTS;
    if (mesh.vertices.size() > limit || mesh.texVertices.size() > limit ||
        mesh.triangles.size() > limit || mesh.groups.size() > MAX_TRIANGLE_GROUPS) {
        return false;
    }
    if (!mesh.normalIndices.empty() && mesh.normalIndices.size() != mesh.vertices.size()) {
        return false;
    }
    for (const RawTriangle& triangle : mesh.triangles) {
        if (!TriangleFits(triangle, mesh)) {
            return false;
        }
    }
    for (const RawGroup& group : mesh.groups) {
        if (!GroupFits(group, mesh.triangles.size())) {
            return false;
        }
    }
    return true;
}

}  // namespace editor::io
