#pragma once
// Sparse export: only the vertices and texture vertices the selected nodes' triangles use are
// written, numbered 0, 1, 2, ... in file order.

#include <cstdint>
#include <ostream>
#include <vector>

#include "fmtoobj/frame_model.h"
#include "fmtoobj/texture_lookup.h"

namespace fmtoobj {

struct SparseNumbering {
    std::vector<int> vertexNumber;  // per vertex index: new number, or -1 when unused
    std::vector<int> stNumber;      // per texture-vertex index: new number, or -1
    int vertexCount = 0;
    int stCount = 0;
};

SparseNumbering NumberUsedEntries(const FrameModel& model, uint32_t mask,
                                  const TextureLookup& lookup, std::ostream& console);

}  // namespace fmtoobj
