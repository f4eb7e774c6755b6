#pragma once

#include <cstdint>
#include <vector>

#include "editor/model/skeleton_tables.h"

#include "editor/model/forward.h"

namespace editor::generate {

using namespace ::editor::model;

// For every bone, the vertex pairs that are both corners of one of its bound triangles, as
// sorted keys: the answers of BoneHasTriangleAt for every edge of the model without walking the
// bone's triangles each time.
class BoneEdgeIndex {
  public:
    explicit BoneEdgeIndex(const ModelDocument& document);

    // BoneHasTriangleAt(bone, va, vb) != -1.
    bool HasEdge(int bone, int va, int vb) const;

    // Visits (va, vb), va <= vb, for every edge of the model that both bones have a triangle at,
    // in ascending order.
    template <class Visit>
    void ForEachSharedEdge(int b1, int b2, Visit visit) const {
        const std::vector<uint32_t>& first = keys_[b1];
        const std::vector<uint32_t>& second = keys_[b2];
        auto a = first.begin();
        auto b = second.begin();
        while (a != first.end() && b != second.end()) {
            if (*a < *b) {
                ++a;
            } else if (*b < *a) {
                ++b;
            } else {
                visit(static_cast<int>(*a / KEY_BASE), static_cast<int>(*a % KEY_BASE));
                ++a;
                ++b;
            }
        }
    }

  private:
    static constexpr uint32_t KEY_BASE = 4096;
    static uint32_t Key(int va, int vb);

    std::vector<uint32_t> keys_[NUM_BONES];
};

}  // namespace editor::generate
