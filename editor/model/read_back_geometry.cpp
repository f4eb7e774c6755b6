#include "editor/model/read_back_geometry.h"

#include "editor/model/mesh_data.h"
#include "scene/shape.h"

namespace editor::model {

using namespace ::scene;

namespace {

// Each triangle takes a count and three vertex/normal index pairs; one 0 ends the list.
constexpr int WORDS_PER_TRIANGLE = 7;
constexpr int MAX_FACE_DATA_WORDS = MAX_MESH_ELEMENTS * WORDS_PER_TRIANGLE + 1;

bool FitsTheMesh(const C3dMesh& source) {
    if (source.GetVertexCount() > MAX_MESH_ELEMENTS) {
        return false;
    }
    if (source.GetFaceDataSize() > MAX_FACE_DATA_WORDS) {
        return false;
    }
    for (int face = 0; face < source.GetFaceCount(); ++face) {
        if (source.FaceVertices(face).size() != 3) {
            return false;
        }
    }
    return true;
}

// The rotation that carries the shape's own axes onto its orientation, then its position.
struct Placement {
    Vector axisX{1.0, 0.0, 0.0};
    Vector axisY{0.0, 1.0, 0.0};
    Vector axisZ{0.0, 0.0, 1.0};
    Vector origin{0.0, 0.0, 0.0};

    Vector Apply(const Vector& p) const {
        Vector result = origin;
        result.AddInPlace(Vector::Scaled(axisX, p.x));
        result.AddInPlace(Vector::Scaled(axisY, p.y));
        result.AddInPlace(Vector::Scaled(axisZ, p.z));
        return result;
    }
};

Placement PlacementIn(const C3dShape& shape, const C3dFrame* scene) {
    Placement placement;
    Vector direction;
    Vector up;
    if (shape.GetOrientation(scene, direction, up) && direction.Normalize()) {
        // Left-handed: x is up x direction, and y is rebuilt square to the other two.
        Vector x = Vector::Cross(up, direction);
        if (x.Normalize()) {
            placement.axisX = x;
            placement.axisY = Vector::Cross(direction, x);
            placement.axisZ = direction;
        }
    }
    placement.origin = shape.GetPosition(scene);
    return placement;
}

// Keeps the texture list's terminator right after the triangles, whatever the count became.
void FitTexFaces(MeshData& mesh, int oldCount) {
    for (int t = oldCount; t < mesh.faceCount; ++t) {
        int32_t* record = mesh.texFaces + t * FACE_RECORD_WORDS;
        record[0] = 3;
        record[1] = record[2] = record[3] = 0;
    }
    mesh.texFaces[mesh.faceCount * FACE_RECORD_WORDS] = 0;
}

}  // namespace

int ReadBackGeometry(const C3dShape& shape, MeshData& mesh, const C3dFrame* scene, bool localOnly) {
    if (!mesh.IsTriangleList()) {
        return 0;
    }
    const C3dMesh& source = shape.Mesh();
    if (!FitsTheMesh(source)) {
        return 0;
    }
    const int oldCount = mesh.TriangleCount();
    const std::vector<Vector>& positions = source.Vertices();
    mesh.vertexCount = source.GetVertexCount();
    for (int i = 0; i < mesh.vertexCount; ++i) {
        mesh.vertices[i] = positions[i];
    }
    mesh.faceCount = source.GetFaceCount();
    for (int t = 0; t < mesh.faceCount; ++t) {
        std::span<const int> corners = source.FaceVertices(t);
        int32_t* record = mesh.faces + t * FACE_RECORD_WORDS;
        record[0] = 3;
        record[1] = corners[0];
        record[2] = corners[1];
        record[3] = corners[2];
    }
    mesh.faces[mesh.faceCount * FACE_RECORD_WORDS] = 0;
    FitTexFaces(mesh, oldCount);

    if (localOnly) {
        mesh.ReleaseNormalIndices();
        return 1;
    }
    const Placement placement = PlacementIn(shape, scene);
    for (int i = 0; i < mesh.vertexCount; ++i) {
        mesh.vertices[i] = placement.Apply(mesh.vertices[i]);
    }
    return 1;
}

}  // namespace editor::model
