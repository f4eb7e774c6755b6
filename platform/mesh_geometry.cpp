#include "platform/mesh_geometry.h"

#include <algorithm>
#include <map>

#include "scene/mesh.h"

namespace platform {

using namespace ::scene;

namespace {

struct Corner {
    Vector position;
    Vector normal;
    C3dTexCoord texCoord;
};

void AppendVertex(std::vector<float>& out, const Corner& corner, const C3dColor& color) {
    out.insert(out.end(), {corner.position.x, corner.position.y, corner.position.z, corner.normal.x,
                           corner.normal.y, corner.normal.z, color.r, color.g, color.b,
                           corner.texCoord.u, 1.0f - corner.texCoord.v});
}

std::vector<Corner> FaceCorners(const C3dMesh& mesh, int face) {
    const auto vertexIndices = mesh.FaceVertices(face);
    const auto normalIndices = mesh.FaceNormals(face);
    const Vector faceNormal = mesh.FaceNormal(face);
    const int vertexCount = mesh.GetVertexCount();
    const int normalCount = static_cast<int>(mesh.Normals().size());
    const int texCount = static_cast<int>(mesh.TexCoords().size());
    const auto skinCoords = mesh.FaceSkinCoords(face);
    std::vector<Corner> corners;
    corners.reserve(vertexIndices.size());
    for (size_t i = 0; i < vertexIndices.size(); ++i) {
        const int v = vertexIndices[i];
        if (v < 0 || v >= vertexCount) {
            continue;
        }
        Corner corner{mesh.Vertices()[v], faceNormal, {}};
        if (i < normalIndices.size() && normalIndices[i] >= 0 && normalIndices[i] < normalCount) {
            corner.normal = mesh.Normals()[normalIndices[i]];
        }
        if (i < skinCoords.size()) {
            corner.texCoord = skinCoords[i];
        } else if (v < texCount) {
            corner.texCoord = mesh.TexCoords()[v];
        }
        corners.push_back(corner);
    }
    return corners;
}

void AppendFan(std::vector<float>& out, const std::vector<Corner>& corners, const C3dColor& color) {
    for (size_t i = 1; i + 1 < corners.size(); ++i) {
        AppendVertex(out, corners[0], color);
        AppendVertex(out, corners[i], color);
        AppendVertex(out, corners[i + 1], color);
    }
}

void AppendOutline(std::vector<float>& out, const std::vector<Corner>& corners,
                   const C3dColor& color) {
    if (corners.size() < 2) {
        return;
    }
    for (size_t i = 0; i < corners.size(); ++i) {
        AppendVertex(out, corners[i], color);
        AppendVertex(out, corners[(i + 1) % corners.size()], color);
    }
}

}  // namespace

MeshGeometry BuildMeshGeometry(const C3dMesh& mesh) {
    MeshGeometry geometry;
    // Faces of one texture are drawn together; the map keeps the order stable between builds.
    std::map<const C3dTexture*, std::vector<float>> byTexture;
    const auto& faces = mesh.Faces();
    for (int face = 0; face < mesh.GetFaceCount(); ++face) {
        const std::vector<Corner> corners = FaceCorners(mesh, face);
        const C3dFace& record = faces[face];
        const C3dTexture* texture = mesh.GetSkin() != nullptr ? nullptr : record.texture;
        AppendFan(byTexture[texture], corners, record.color);
        AppendOutline(geometry.lines, corners, record.color);
    }
    for (auto& [texture, vertices] : byTexture) {
        if (vertices.empty()) {
            continue;
        }
        TextureBatch batch{texture, mesh.GetSkin(), geometry.TriangleVertexCount(),
                           static_cast<int>(vertices.size()) / kFloatsPerVertex};
        geometry.triangles.insert(geometry.triangles.end(), vertices.begin(), vertices.end());
        geometry.batches.push_back(batch);
    }
    return geometry;
}

}  // namespace platform
