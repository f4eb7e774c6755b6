#include "scene/mesh.h"

#include <algorithm>
#include <limits>

namespace scene {

namespace {

// Reads one face record of a face list; fails on anything that does not fit the arrays.
template <typename Word>
bool ReadFaceRecord(std::span<const Word> data, size_t& at, bool withNormals, size_t vertexCount,
                    size_t normalCount, std::vector<int>& corners, std::vector<int>& normals) {
    int64_t count = static_cast<int64_t>(data[at]);
    size_t step = withNormals ? 2 : 1;
    if (count < 3 || static_cast<uint64_t>(count) > (data.size() - at - 1) / step) {
        return false;
    }
    ++at;
    for (int64_t k = 0; k < count; ++k) {
        int64_t v = static_cast<int64_t>(data[at++]);
        if (v < 0 || static_cast<uint64_t>(v) >= vertexCount) {
            return false;
        }
        corners.push_back(static_cast<int>(v));
        if (withNormals) {
            int64_t n = static_cast<int64_t>(data[at++]);
            if (n < 0 || static_cast<uint64_t>(n) >= normalCount) {
                return false;
            }
            normals.push_back(static_cast<int>(n));
        }
    }
    return true;
}

}  // namespace

bool C3dMesh::AddFaces(std::span<const Vector> vertices, std::span<const Vector> normals,
                       std::span<const uint32_t> faceData) {
    return AddFacesFrom(vertices, normals, faceData);
}

bool C3dMesh::AddFaces(std::span<const Vector> vertices, std::span<const Vector> normals,
                       std::span<const int32_t> faceData) {
    return AddFacesFrom(vertices, normals, faceData);
}

template <typename Word>
bool C3dMesh::AddFacesFrom(std::span<const Vector> vertices, std::span<const Vector> normals,
                           std::span<const Word> faceData) {
    constexpr size_t limit = static_cast<size_t>(std::numeric_limits<int>::max() / 4);
    if (vertices.size() > limit || normals.size() > limit || faceData.size() > limit) {
        return false;
    }
    bool withNormals = !normals.empty();
    std::vector<int> corners;
    std::vector<int> cornerNormals;
    std::vector<int> counts;
    size_t at = 0;
    while (true) {
        if (at >= faceData.size()) {
            return false;  // no closing 0 word inside the list
        }
        if (faceData[at] == 0) {
            break;
        }
        size_t before = corners.size();
        if (!ReadFaceRecord(faceData, at, withNormals, vertices.size(), normals.size(), corners,
                            cornerNormals)) {
            return false;
        }
        counts.push_back(static_cast<int>(corners.size() - before));
    }
    ClearSkin();
    int vertexBase = GetVertexCount();
    int normalBase = static_cast<int>(normals_.size());
    vertices_.insert(vertices_.end(), vertices.begin(), vertices.end());
    texCoords_.resize(vertices_.size());
    normals_.insert(normals_.end(), normals.begin(), normals.end());
    size_t corner = 0;
    for (int count : counts) {
        C3dFace face;
        face.firstCorner = static_cast<int>(cornerVertices_.size());
        face.cornerCount = count;
        for (int k = 0; k < count; ++k, ++corner) {
            cornerVertices_.push_back(vertexBase + corners[corner]);
            cornerNormals_.push_back(withNormals ? normalBase + cornerNormals[corner] : -1);
        }
        faces_.push_back(face);
    }
    if (!withNormals) {
        UseFaceNormals(static_cast<int>(faces_.size() - counts.size()));
    }
    Touch();
    return true;
}

void C3dMesh::UseFaceNormals(int firstFace) {
    for (int f = firstFace; f < GetFaceCount(); ++f) {
        int normal = static_cast<int>(normals_.size());
        normals_.push_back(FaceNormal(f));
        const C3dFace& face = faces_[f];
        std::fill_n(cornerNormals_.begin() + face.firstCorner, face.cornerCount, normal);
    }
    Touch();
}

void C3dMesh::GenerateNormals() {
    std::vector<Vector> sums(vertices_.size(), Vector(0.0, 0.0, 0.0));
    for (int f = 0; f < GetFaceCount(); ++f) {
        Vector n = FaceNormal(f);
        for (int v : FaceVertices(f)) {
            sums[v].AddInPlace(n);
        }
    }
    for (Vector& n : sums) {
        if (!n.Normalize()) {
            n = Vector(0.0, 0.0, 1.0);
        }
    }
    normals_ = std::move(sums);
    cornerNormals_ = cornerVertices_;
    Touch();
}

void C3dMesh::Clear() {
    vertices_.clear();
    normals_.clear();
    texCoords_.clear();
    cornerVertices_.clear();
    cornerNormals_.clear();
    faces_.clear();
    ClearSkin();
    Touch();
}

bool C3dMesh::SetSkin(const C3dImage* skin, std::vector<C3dTexCoord> cornerCoords) {
    if (skin != nullptr && cornerCoords.size() != cornerVertices_.size()) {
        return false;
    }
    skin_ = skin;
    skinCoords_ = skin != nullptr ? std::move(cornerCoords) : std::vector<C3dTexCoord>();
    Touch();
    return true;
}

void C3dMesh::ClearSkin() {
    skin_ = nullptr;
    skinCoords_.clear();
    Touch();
}

std::span<const C3dTexCoord> C3dMesh::FaceSkinCoords(int face) const {
    if (skin_ == nullptr || face < 0 || face >= GetFaceCount()) {
        return {};
    }
    const C3dFace& f = faces_[face];
    return std::span<const C3dTexCoord>(skinCoords_).subspan(f.firstCorner, f.cornerCount);
}

std::span<const int> C3dMesh::FaceVertices(int face) const {
    if (face < 0 || face >= GetFaceCount()) {
        return {};
    }
    const C3dFace& f = faces_[face];
    return std::span<const int>(cornerVertices_).subspan(f.firstCorner, f.cornerCount);
}

std::span<const int> C3dMesh::FaceNormals(int face) const {
    if (face < 0 || face >= GetFaceCount()) {
        return {};
    }
    const C3dFace& f = faces_[face];
    return std::span<const int>(cornerNormals_).subspan(f.firstCorner, f.cornerCount);
}

Vector C3dMesh::FaceNormal(int face) const {
    std::span<const int> corners = FaceVertices(face);
    Vector normal(0.0, 0.0, 1.0);
    if (corners.size() < 3) {
        return normal;
    }
    const Vector& a = vertices_[corners[0]];
    Vector n = Vector::Cross(Vector::Subtract(vertices_[corners[1]], a),
                             Vector::Subtract(vertices_[corners[2]], a));
    return n.Normalize() ? n : normal;
}

int C3dMesh::GetFaceDataSize() const {
    return static_cast<int>(faces_.size() + 2 * cornerVertices_.size() + 1);
}

bool C3dMesh::GetBox(Vector& min, Vector& max) const {
    if (vertices_.empty()) {
        return false;
    }
    min = max = vertices_.front();
    for (const Vector& v : vertices_) {
        min = Vector(std::min(min.x, v.x), std::min(min.y, v.y), std::min(min.z, v.z));
        max = Vector(std::max(max.x, v.x), std::max(max.y, v.y), std::max(max.z, v.z));
    }
    return true;
}

bool C3dMesh::SetVertex(int index, const Vector& position) {
    if (index < 0 || index >= GetVertexCount()) {
        return false;
    }
    vertices_[index] = position;
    Touch();
    return true;
}

bool C3dMesh::SetTexCoord(int index, float u, float v) {
    if (index < 0 || index >= GetVertexCount()) {
        return false;
    }
    texCoords_[index] = C3dTexCoord{u, v};
    Touch();
    return true;
}

void C3dMesh::SetColor(const C3dColor& color) {
    for (C3dFace& face : faces_) {
        face.color = color;
    }
    Touch();
}

bool C3dMesh::SetFaceColor(int face, const C3dColor& color) {
    if (face < 0 || face >= GetFaceCount()) {
        return false;
    }
    faces_[face].color = color;
    Touch();
    return true;
}

void C3dMesh::SetTexture(const C3dTexture* texture) {
    for (C3dFace& face : faces_) {
        face.texture = texture;
    }
    Touch();
}

bool C3dMesh::SetFaceTexture(int first, int count, const C3dTexture* texture) {
    if (first < 0 || count <= 0 || int64_t(first) + count > GetFaceCount()) {
        return false;
    }
    for (int f = first; f < first + count; ++f) {
        faces_[f].texture = texture;
    }
    Touch();
    return true;
}

void C3dMesh::SetQuality(int quality) {
    quality_ = quality;
    Touch();
}

}  // namespace scene
