#pragma once
// Stores a parsed mesh in a document-sized mesh with a group table and finishes it, so the
// fuzzers reach the capacity checks and the winding pass with whatever a file held.

#include <memory>

#include "editor/groups/triangle_group_table.h"
#include "editor/io/store_raw_mesh.h"
#include "editor/model/mesh_data.h"

inline void StoreForFuzzing(const RawMesh& raw) {
    static MeshData* mesh = [] {
        auto* m = new MeshData();
        m->groupTable = std::make_unique<TriangleGroupTable>();
        return m;
    }();
    StoreAndFinish(raw, *mesh);
}
