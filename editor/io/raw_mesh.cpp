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

std::string TooMany(std::size_t count, const char* what, std::size_t limit) {
    return std::to_string(count) + " " + what + ", more than " + std::to_string(limit);
}

// Where a triangle came from: its file line when known, else its number.
std::string TriangleAt(const RawMesh& mesh, std::size_t t) {
    if (t < mesh.triangleLines.size()) {
        return "line " + std::to_string(mesh.triangleLines[t]) + ": a face";
    }
    return "triangle " + std::to_string(t + 1);
}

// Files number their elements from 1.
std::string Missing(const char* what, int32_t index, std::size_t count) {
    return " names " + std::string(what) + " " + std::to_string(static_cast<long>(index) + 1) +
           ", but there are " + std::to_string(count);
}

Status CheckTriangleFits(const RawMesh& mesh, std::size_t t) {
    const RawTriangle& triangle = mesh.triangles[t];
    for (int k = 0; k < 3; ++k) {
        if (!IndexIn(triangle.corners[k], mesh.vertices.size())) {
            return Status::Refuse(TriangleAt(mesh, t) +
                                  Missing("vertex", triangle.corners[k], mesh.vertices.size()));
        }
        if (!mesh.texVertices.empty() &&
            !IndexIn(triangle.texCorners[k], mesh.texVertices.size())) {
            return Status::Refuse(TriangleAt(mesh, t) + Missing("texture vertex",
                                                                triangle.texCorners[k],
                                                                mesh.texVertices.size()));
        }
    }
    return {};
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
    return CheckRawMeshFits(mesh).Ok();
}

Status CheckRawMeshFits(const RawMesh& mesh) {
    const std::size_t limit = MAX_MESH_ELEMENTS;
    if (mesh.vertices.size() > limit) {
        return Status::Refuse(TooMany(mesh.vertices.size(), "vertices", limit));
    }
    if (mesh.texVertices.size() > limit) {
        return Status::Refuse(TooMany(mesh.texVertices.size(), "texture vertices", limit));
    }
    if (mesh.triangles.size() > limit) {
        return Status::Refuse(TooMany(mesh.triangles.size(), "triangles", limit));
    }
    if (mesh.groups.size() > MAX_TRIANGLE_GROUPS) {
        return Status::Refuse(TooMany(mesh.groups.size(), "groups", MAX_TRIANGLE_GROUPS));
    }
    if (!mesh.normalIndices.empty() && mesh.normalIndices.size() != mesh.vertices.size()) {
        return Status::Refuse(std::to_string(mesh.normalIndices.size()) + " vertex normals for " +
                              std::to_string(mesh.vertices.size()) + " vertices");
    }
    for (std::size_t t = 0; t < mesh.triangles.size(); ++t) {
        if (Status fits = CheckTriangleFits(mesh, t); !fits) {
            return fits;
        }
    }
    for (const RawGroup& group : mesh.groups) {
        if (!GroupFits(group, mesh.triangles.size())) {
            return Status::Refuse("group '" + group.name +
                                  "' names a triangle that does not exist");
        }
    }
    return {};
}

}  // namespace editor::io
