#include "editor/io/store_raw_mesh.h"

#include <string>
#include <utility>

#include "editor/model/finish_import.h"
#include "editor/model/mesh_data.h"
#include "editor/model/triangle_group_table.h"

namespace editor::io {

using namespace ::editor::model;

namespace {

void StoreGroups(const RawMesh& raw, TriangleGroupTable& table) {
    for (const RawGroup& group : raw.groups) {
        TriangleSet set;
        for (int t : group.triangles) {
            set.SetBit(t);
        }
        table.SaveGroup(group.name, &set);
    }
}

bool StoreTriangles(const RawMesh& raw, MeshData& target) {
    const bool hasTexVertices = !raw.texVertices.empty();
    for (const RawTriangle& t : raw.triangles) {
        const auto& tc = hasTexVertices ? t.texCorners : std::array<int32_t, 3>{};
        if (target.AddTriangle(t.corners[0], t.corners[1], t.corners[2], tc[0], tc[1], tc[2]) < 0) {
            return false;
        }
    }
    return true;
}

}  // namespace

Status StoreRawMesh(const RawMesh& raw, MeshData& target) {
    target.Clear();
    if (Status fits = CheckRawMeshFits(raw); !fits) {
        return Status::BadData(fits.Reason());
    }
    for (const auto& p : raw.vertices) {
        target.AddVertex(Vector(p.data()));
    }
    for (const auto& uv : raw.texVertices) {
        target.texVertices[target.texVertexCount++] = TexVertex{uv[0], uv[1], 0.0f};
    }
    if (!StoreTriangles(raw, target)) {
        target.Clear();
        return Status::BadData("The mesh takes no more triangles");
    }
    if (!raw.normalIndices.empty()) {
        if (!target.AllocNormalIndices()) {
            target.Clear();
            return Status::Fail(Failure::OutOfMemory, "Failed to allocate the normal indices");
        }
        for (std::size_t i = 0; i < raw.normalIndices.size(); ++i) {
            target.normalIndices[i] = raw.normalIndices[i];
        }
    }
    if (target.groupTable != nullptr) {
        StoreGroups(raw, *target.groupTable);
    }
    target.oriented = raw.oriented ? 1 : 0;
    return Status();
}

int StoreAndFinish(const RawMesh& raw, MeshData& target, std::string* refusal) {
    if (const Status stored = StoreRawMesh(raw, target); !Trace(stored)) {
        if (refusal != nullptr) {
            *refusal = stored.Reason();
        }
        return -1;
    }
    FinishImport(target);
    return 0;
}

}  // namespace editor::io
