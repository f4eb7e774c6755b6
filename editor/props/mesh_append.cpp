#include "editor/props/mesh_append.h"

#include "editor/model/finish_import.h"
#include "editor/model/mesh_data.h"
#include "editor/model/model_document.h"
#include "editor/model/read_back_geometry.h"
#include "editor/model/triangle_group_table.h"
#include "scene/scene.h"
#include "scene/shape.h"

namespace editor::props {

using namespace ::editor::model;
using namespace ::scene;

namespace {

bool FitsTogether(const MeshData& target, const MeshData& other) {
    return target.IsTriangleList() && other.IsTriangleList() &&
           target.vertexCount + other.vertexCount <= MAX_MESH_ELEMENTS &&
           target.faceCount + other.faceCount <= MAX_MESH_ELEMENTS &&
           target.texVertexCount + other.texVertexCount <= MAX_MESH_ELEMENTS;
}

void WriteRecord(int32_t* list, int index, int a, int b, int c) {
    int32_t* record = list + index * FACE_RECORD_WORDS;
    record[0] = 3;
    record[1] = a;
    record[2] = b;
    record[3] = c;
}

void AppendTriangles(MeshData& target, const MeshData& other) {
    const int vertexOffset = target.vertexCount;
    const int texOffset = target.texVertexCount;
    int t = target.faceCount;
    for (int i = 0; i < other.faceCount; ++i, ++t) {
        int a, b, c, ta, tb, tc;
        other.GetTriangle(i, a, b, c);
        other.GetTexTriangle(i, ta, tb, tc);
        WriteRecord(target.faces, t, a + vertexOffset, b + vertexOffset, c + vertexOffset);
        WriteRecord(target.texFaces, t, ta + texOffset, tb + texOffset, tc + texOffset);
    }
    target.faceCount = t;
    target.faces[t * FACE_RECORD_WORDS] = 0;
    target.texFaces[t * FACE_RECORD_WORDS] = 0;
}

void AppendPoints(MeshData& target, const MeshData& other) {
    for (int i = 0; i < other.vertexCount; ++i) {
        target.vertices[target.vertexCount + i] = other.vertices[i];
    }
    for (int i = 0; i < other.texVertexCount; ++i) {
        target.texVertices[target.texVertexCount + i] = other.texVertices[i];
    }
    target.vertexCount += other.vertexCount;
    target.texVertexCount += other.texVertexCount;
}

}  // namespace

int AppendMesh(MeshData& target, const MeshData& other) {
    if (!FitsTogether(target, other)) {
        return 0;
    }
    const int oldFaceCount = target.faceCount;
    AppendTriangles(target, other);
    AppendPoints(target, other);
    target.oriented = (target.oriented && other.oriented) ? 1 : 0;
    if (target.groupTable != nullptr && other.groupTable != nullptr) {
        target.groupTable->MergeGroups(*other.groupTable, oldFaceCount);
    }
    FinishImport(target);
    return 1;
}

int MergePropMesh(ModelDocument& document) {
    MeshPart& prop = document.prop;
    MeshPart& model = document.model;
    if (prop.shape == nullptr || !ReadBackGeometry(*prop.shape, prop.mesh, document.scene, false)) {
        return 0;
    }
    if (model.shape != nullptr &&
        !ReadBackGeometry(*model.shape, model.mesh, document.scene, false)) {
        return 0;
    }
    return AppendMesh(model.mesh, prop.mesh);
}

}  // namespace editor::props
