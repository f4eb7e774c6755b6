#pragma once

#include <cstring>

#include "editor/model/bit_set.h"
#include "editor/model/capacities.h"

namespace editor::model {

// A bit set of a fixed number of bits kept inline, so that documents hold their sets without any
// allocation. Binary operations only take sets of the same class: vertex and triangle sets cannot
// be mixed up by accident.
template <class Derived, int BITS>
class FixedBitSet : public BitSet {
  public:
    static constexpr int SIZE = BITS;

    FixedBitSet() : BitSet(storage, BITS) {}
    FixedBitSet(const FixedBitSet& other) : BitSet(storage, BITS) { CopyBytesFrom(other); }
    FixedBitSet& operator=(const FixedBitSet& other) {
        CopyBytesFrom(other);
        return *this;
    }

    bool CopyFrom(const Derived& other) { return BitSet::CopyFrom(other); }
    bool Equals(const Derived& other) const { return BitSet::Equals(other); }
    bool IsSubsetOf(const Derived& other) const { return BitSet::IsSubsetOf(other); }
    bool Intersects(const Derived& other) const { return BitSet::Intersects(other); }
    bool And(const Derived& other) { return BitSet::And(other); }
    bool AndNot(const Derived& other) { return BitSet::AndNot(other); }
    bool Or(const Derived& other) { return BitSet::Or(other); }

  private:
    uint8_t storage[(BITS + 7) / 8] = {};
};

// MAX_MESH_ELEMENTS bits each: one per vertex or per triangle of a mesh.
class VertexSet : public FixedBitSet<VertexSet, MAX_MESH_ELEMENTS> {};
class TriangleSet : public FixedBitSet<TriangleSet, MAX_MESH_ELEMENTS> {};
// One bit per texel of a 256 x 256 skin.
class TexelSet : public FixedBitSet<TexelSet, 256 * 256> {};

}  // namespace editor::model
