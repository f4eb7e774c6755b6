#pragma once
// Stores a parsed mesh in a document-sized mesh with a group table and finishes it, so the
// fuzzers reach the capacity checks and the winding pass with whatever a file held.

#include <memory>
#include <string>
#include <vector>

#include "editor/io/quake_model.h"
#include "editor/io/store_raw_mesh.h"
#include "editor/model/mesh_data.h"
#include "editor/model/triangle_group_table.h"

using namespace ::editor::model;
using namespace ::editor::io;

inline void StoreForFuzzing(const RawMesh& raw) {
    static MeshData* mesh = [] {
        auto* m = new MeshData();
        m->groupTable = std::make_unique<TriangleGroupTable>();
        return m;
    }();
    StoreAndFinish(raw, *mesh);
}

// Lists the frames of a Quake-family model, then reads the first and the last by name.
inline void ReadQuakeFramesForFuzzing(const QuakeModelLayout& layout) {
    std::vector<std::string> names;
    // A list that stops early still names the frames read so far; those are read below.
    (void)ListQuakeFrames(layout, names);
    for (const std::string& name :
         {std::string(), names.empty() ? std::string("x") : names.back()}) {
        RawMesh raw;
        if (ReadQuakeFrame(layout, name, raw)) {
            StoreForFuzzing(raw);
        }
    }
}
