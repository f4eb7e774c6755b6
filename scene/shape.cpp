#include "scene/shape.h"

#include "scene/image.h"

namespace scene {

namespace {

C3dColor ColorOf(double r, double g, double b) {
    return C3dColor{static_cast<float>(r), static_cast<float>(g), static_cast<float>(b)};
}

}  // namespace

C3dShape::C3dShape() {
    SetName("3D Shape");
    visual_ = &mesh_;
}

C3dShape::~C3dShape() = default;

void C3dShape::Reset() {
    visual_ = nullptr;
    mesh_.Clear();
    RemoveAllChildren();
    // Identity: origin at (0, 0, 0), direction (0, 0, 1), up (0, 1, 0), no scale.
    SetTransform(C3dMatrix());
    SetRotation(Vector(0.0, 0.0, 1.0), 0.0);
    SetName("3D Shape");
}

bool C3dShape::CreateFromFaces(const Vector* vertices, int vertexCount, const Vector* normals,
                               int normalCount, const uint32_t* faceData, size_t faceDataWords,
                               bool generateNormals) {
    return CreateFrom(vertices, vertexCount, normals, normalCount, faceData, faceDataWords,
                      generateNormals);
}

bool C3dShape::CreateFromFaces(const Vector* vertices, int vertexCount, const Vector* normals,
                               int normalCount, const int32_t* faceData, size_t faceDataWords,
                               bool generateNormals) {
    return CreateFrom(vertices, vertexCount, normals, normalCount, faceData, faceDataWords,
                      generateNormals);
}

template <typename Word>
bool C3dShape::CreateFrom(const Vector* vertices, int vertexCount, const Vector* normals,
                          int normalCount, const Word* faceData, size_t faceDataWords,
                          bool generateNormals) {
    if (vertexCount < 0 || normalCount < 0 || (vertexCount > 0 && !vertices) ||
        (normalCount > 0 && !normals) || !faceData) {
        return Fail(C3D_E_BADVALUE);
    }
    std::span<const Vector> vertexSpan(vertices, vertices ? vertexCount : 0);
    std::span<const Vector> normalSpan(normals, normals ? normalCount : 0);
    if (!mesh_.AddFaces(vertexSpan, normalSpan, std::span<const Word>(faceData, faceDataWords))) {
        return Fail(C3D_E_BADVALUE);
    }
    if (normalSpan.empty() && generateNormals) {
        mesh_.GenerateNormals();
    }
    visual_ = &mesh_;
    mesh_.SetPerspective(true);
    return Succeed();
}

bool C3dShape::BuildFrom(const std::vector<Vector>& vertices, const std::vector<uint32_t>& faces,
                         const char* name) {
    if (!CreateFromFaces(vertices.data(), static_cast<int>(vertices.size()), nullptr, 0,
                         faces.data(), faces.size(), true)) {
        return false;
    }
    SetName(name);
    return true;
}

bool C3dShape::GetBox(Vector& min, Vector& max) const {
    return mesh_.GetBox(min, max);
}

bool C3dShape::SetColor(double r, double g, double b) {
    mesh_.SetColor(ColorOf(r, g, b));
    return Succeed();
}

bool C3dShape::SetFaceColor(int face, double r, double g, double b) {
    if (!mesh_.SetFaceColor(face, ColorOf(r, g, b))) {
        return Fail(C3D_E_BADVALUE);
    }
    return Succeed();
}

bool C3dShape::SetTexture(const C3dTexture* texture) {
    mesh_.SetTexture(texture);
    return Succeed();
}

bool C3dShape::SetFaceTexture(int first, int count, const C3dTexture* texture) {
    if (!mesh_.SetFaceTexture(first, count, texture)) {
        return Fail(C3D_E_BADVALUE);
    }
    return Succeed();
}

bool C3dShape::SetQuality(int preset) {
    if (preset != C3D_QUALITY_SOLID && preset != C3D_QUALITY_WIREFRAME) {
        return Fail(C3D_E_BADVALUE);
    }
    mesh_.SetQuality(preset);
    return Succeed();
}

void C3dShape::AdoptImage(C3dImage* image) {
    if (image) {
        images_.emplace_back(image);
    }
}

}  // namespace scene
