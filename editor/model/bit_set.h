#pragma once

#include <bit>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <memory>

namespace editor::model {

// A set of bits, least significant bit first in each byte. The storage either lives on the heap
// (owned, resizable) or inline in a derived fixed-size class (see fixed_bit_sets.h).
//
// Every operation takes any index and never touches memory outside the storage: ranges are
// clipped, single out-of-range bits are ignored, and out-of-range tests answer "set" so that a
// search for free room never runs off the end.
class BitSet {
  public:
    // An empty heap set (size 0); give it storage with Resize or Adopt.
    BitSet() = default;
    // A heap set of bitCount clear bits (size 0 when the allocation fails).
    explicit BitSet(int bitCount);
    virtual ~BitSet();

    BitSet(const BitSet&) = delete;
    BitSet& operator=(const BitSet&) = delete;

    int Size() const { return bitCount; }
    int ByteCount() const { return byteCount; }
    const uint8_t* Bytes() const { return bytes; }
    bool OwnsStorage() const { return ownsStorage != 0; }

    // A negative count means the -count bits ending just before start.
    void SetRange(int start, int count);
    void ClearRange(int start, int count);
    void SetBit(int i) { SetRange(i, 1); }
    void ClearBit(int i) { ClearRange(i, 1); }

    // True when bit i is set; indices outside the set test as set.
    bool Test(int i) const;
    int Count() const;
    bool Any() const;

    // Copying needs storage on both sides and equal sizes.
    bool CopyFrom(const BitSet& other);
    // Comparisons of sets of different sizes are false.
    bool Equals(const BitSet& other) const;
    bool IsSubsetOf(const BitSet& other) const;
    bool Intersects(const BitSet& other) const;
    // Byte-wise combinations; nothing happens (false) when the sizes differ.
    bool And(const BitSet& other);
    bool AndNot(const BitSet& other);
    bool Or(const BitSet& other);

    // Raw bytes for files. The buffer must hold at least ByteCount() bytes, else nothing is
    // copied and false is returned. Loaded bits beyond Size() are dropped.
    bool LoadBytes(const uint8_t* src, size_t srcSize);
    bool StoreBytes(uint8_t* dst, size_t dstSize) const;

    // Moves every bit n places up (n > 0) or down (n < 0). Refuses, leaving the set unchanged,
    // when a set bit would leave the range.
    bool Shift(int n);

    // First index of a run of `length` set bits at or after start (and ending at or before end,
    // clipped to the last bit); -1 when there is none.
    int FindSetRun(int start, int length) const;
    int FindSetRun(int start, int end, int length) const;
    int FindClearRun(int start, int length) const;
    int FindClearRun(int start, int end, int length) const;

    // The one way to walk a set: visit(i) for every set bit i below limit (clipped to Size()), in
    // ascending order, scanning 64 bits at a time. Bits the visit changes at or after i may or
    // may not be seen; clearing bit i itself is safe.
    template <class Visit>
    void ForEachSet(Visit visit, int limit = INT_MAX) const;
    // visit(first, count) for each maximal run of consecutive set bits below limit, in ascending
    // order: for callers that handle ranges at once.
    template <class Visit>
    void ForEachRun(Visit visit, int limit = INT_MAX) const;

    // A heap set releases its storage (size 0); an inline set clears its bits and keeps its size.
    void ClearAll();
    // Heap sets only: fresh zero-filled storage for n bits.
    bool Resize(int n);
    // Heap sets only: takes buffer (at least (n + 7) / 8 bytes) as the storage of n bits, cleared.
    bool Adopt(std::unique_ptr<uint8_t[]> buffer, int n);

  protected:
    // Inline storage of a derived class; the set never frees it.
    BitSet(uint8_t* inlineBytes, int bitCount);
    void CopyBytesFrom(const BitSet& other);

  private:
    bool IsInline() const { return inlineStorage; }
    bool Bit(int i) const { return (bytes[i >> 3] >> (i & 7)) & 1; }
    void WriteBit(int i, bool value);
    void WriteRange(int start, int count, bool value);
    int FindRun(int start, int end, int length, bool value) const;
    void ReleaseStorage();
    void MaskTail();
    // Bits [64 * w, 64 * w + 64) with bit 0 lowest, zero beyond the storage.
    uint64_t Word(int w) const {
        uint64_t word = 0;
        const int first = w * 8;
        const int end = first + 8 < byteCount ? first + 8 : byteCount;
        for (int b = end - 1; b >= first; --b) {
            word = (word << 8) | bytes[b];
        }
        return word;
    }

    uint32_t ownsStorage = 0;
    uint8_t* bytes = nullptr;
    int32_t byteCount = 0;
    int32_t bitCount = 0;
    bool inlineStorage = false;
};

template <class Visit>
void BitSet::ForEachSet(Visit visit, int limit) const {
    const int end = limit < bitCount ? limit : bitCount;
    for (int base = 0; base < end; base += 64) {
        for (uint64_t word = Word(base / 64); word != 0; word &= word - 1) {
            const int i = base + std::countr_zero(word);
            if (i >= end) {
                return;
            }
            visit(i);
        }
    }
}

template <class Visit>
void BitSet::ForEachRun(Visit visit, int limit) const {
    int first = -1;
    int next = -1;
    ForEachSet(
        [&](int i) {
            if (i != next) {
                if (first >= 0) {
                    visit(first, next - first);
                }
                first = i;
            }
            next = i + 1;
        },
        limit);
    if (first >= 0) {
        visit(first, next - first);
    }
}

}  // namespace editor::model
