#include "editor/model/finish_import.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

#include "editor/model/mesh_data.h"
#include "editor/model/skin_coordinates.h"
#include "editor/model/visibility_pass.h"
#include "editor/model/winding.h"

namespace editor::model {

namespace {

// Coordinates of a whole skin come as fractions; with any value above 1 they are in texels.
constexpr double SKIN_SIZE = SKIN_TEXELS;

void MarkUsedVertices(MeshData& mesh) {
    const int count = mesh.TriangleCount();
    for (int t = 0; t < count; ++t) {
        int a = 0, b = 0, c = 0;
        mesh.GetTriangle(t, a, b, c);
        mesh.usedVertices.SetBit(a);
        mesh.usedVertices.SetBit(b);
        mesh.usedVertices.SetBit(c);
    }
}

void InstallDefaultTexVertices(MeshData& mesh) {
    for (int i = 0; i < 3; ++i) {
        mesh.texVertices[i].u = DEFAULT_TEX_VERTICES[i][0];
        mesh.texVertices[i].v = DEFAULT_TEX_VERTICES[i][1];
    }
    mesh.texVertexCount = 3;
    const int count = mesh.TriangleCount();
    for (int t = 0; t < count; ++t) {
        int32_t* record = mesh.texFaces + t * FACE_RECORD_WORDS;
        record[0] = 3;
        record[1] = 0;
        record[2] = 1;
        record[3] = 2;
    }
    mesh.texFaces[count * FACE_RECORD_WORDS] = 0;
}

// Adding 0.5 and truncating toward zero, as whole texels have always been rounded here.
float RoundTexel(double value) {
    return static_cast<float>(std::trunc(value + 0.5));
}

void ScaleToTexels(MeshData& mesh) {
    const int count = std::clamp(mesh.texVertexCount, 0, MAX_MESH_ELEMENTS);
    double largestU = 0.0, largestV = 0.0;
    for (int i = 0; i < count; ++i) {
        largestU = std::max(largestU, static_cast<double>(mesh.texVertices[i].u));
        largestV = std::max(largestV, static_cast<double>(mesh.texVertices[i].v));
    }
    const double scaleU = largestU <= 1.0 ? SKIN_SIZE : 1.0;
    const double scaleV = largestV <= 1.0 ? SKIN_SIZE : 1.0;
    for (int i = 0; i < count; ++i) {
        mesh.texVertices[i].u = RoundTexel(mesh.texVertices[i].u * scaleU);
        mesh.texVertices[i].v = RoundTexel(mesh.texVertices[i].v * scaleV);
    }
}

void OrientWinding(MeshData& mesh) {
    if (mesh.oriented != 0) {
        return;
    }
    if (mesh.normalIndices != nullptr) {
        const int count = mesh.TriangleCount();
        for (int t = 0; t < count; ++t) {
            OrientByNormals(mesh, t);
        }
        mesh.oriented = 1;
        return;
    }
    // Without memory for the records the winding stays as imported, not oriented.
    if (OrientByVisibility(mesh)) {
        mesh.oriented = 1;
    }
}

}  // namespace

void FinishImport(MeshData& mesh) {
    MarkUsedVertices(mesh);
    if (mesh.texVertexCount == 0) {
        InstallDefaultTexVertices(mesh);
    }
    ScaleToTexels(mesh);
    OrientWinding(mesh);
    mesh.ReleaseNormalIndices();
}

}  // namespace editor::model
