#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <utility>
#include <vector>

#include "editor/model/bit_set.h"
#include "editor/model/fixed_bit_sets.h"

using namespace ::editor::model;

namespace {

// Vertex and triangle sets must not combine by accident.
template <class A, class B>
concept Combinable = requires(A a, const B& b) {
    a.And(b);
    a.CopyFrom(b);
};
static_assert(Combinable<VertexSet, VertexSet>);
static_assert(!Combinable<VertexSet, TriangleSet>);
static_assert(!Combinable<TriangleSet, VertexSet>);

std::vector<int> SetBits(const BitSet& set) {
    std::vector<int> bits;
    set.ForEachSet([&bits](int i) { bits.push_back(i); });
    return bits;
}

TEST(BitSetRanges, PositiveAndNegativeCountsClipToTheSet) {
    TriangleSet set;
    set.SetRange(3, 4);
    EXPECT_EQ(SetBits(set), (std::vector<int>{3, 4, 5, 6}));
    set.ClearRange(7, -2);  // the two bits before 7
    EXPECT_EQ(SetBits(set), (std::vector<int>{3, 4}));
    set.ClearAll();
    set.SetRange(-5, 7);
    EXPECT_EQ(SetBits(set), (std::vector<int>{0, 1}));
    set.ClearAll();
    set.SetRange(2046, 100);
    EXPECT_EQ(SetBits(set), (std::vector<int>{2046, 2047}));
    set.ClearAll();
    set.SetRange(2, -10);
    EXPECT_EQ(SetBits(set), (std::vector<int>{0, 1}));
}

TEST(BitSetRanges, EmptyOrOutsideRangesChangeNothing) {
    TriangleSet set;
    set.SetRange(5, 0);
    set.SetRange(2048, 10);
    set.SetRange(5000, 3);
    set.SetRange(-10, 5);
    set.SetBit(-1);
    set.SetBit(2048);
    EXPECT_EQ(set.Count(), 0);
    set.SetRange(0, 2048);
    set.ClearRange(2048, 4);
    set.ClearBit(-3);
    EXPECT_EQ(set.Count(), 2048);
}

TEST(BitSetRanges, ExtremeCountsDoNotOverflow) {
    VertexSet set;
    set.SetRange(10, 0x7FFFFFFF);
    EXPECT_EQ(set.Count(), 2038);
    set.ClearRange(100, -0x7FFFFFFF);
    EXPECT_EQ(set.Count(), 1948);
}

TEST(BitSetTest, OutOfRangeIndicesTestAsSet) {
    VertexSet set;
    EXPECT_TRUE(set.Test(-1));
    EXPECT_TRUE(set.Test(2048));
    EXPECT_FALSE(set.Test(0));
    EXPECT_FALSE(set.Test(2047));
    BitSet empty;
    EXPECT_TRUE(empty.Test(0));
}

TEST(BitSetTest, BitOrderIsLeastSignificantFirst) {
    TriangleSet set;
    set.SetBit(0);
    set.SetBit(9);
    uint8_t raw[256] = {};
    ASSERT_TRUE(set.StoreBytes(raw, sizeof raw));
    EXPECT_EQ(raw[0], 0x01);
    EXPECT_EQ(raw[1], 0x02);
}

TEST(BitSetCompare, SizesMustMatch) {
    BitSet small(100);
    BitSet other(101);
    BitSet same(100);
    small.SetBit(5);
    same.SetBit(5);
    other.SetBit(5);
    EXPECT_TRUE(small.Equals(same));
    EXPECT_FALSE(small.Equals(other));
    EXPECT_FALSE(small.IsSubsetOf(other));
    EXPECT_FALSE(small.Intersects(other));
    EXPECT_FALSE(small.And(other));
    EXPECT_FALSE(small.CopyFrom(other));
    EXPECT_EQ(SetBits(small), (std::vector<int>{5}));
    BitSet none;
    BitSet alsoNone;
    EXPECT_FALSE(none.CopyFrom(alsoNone));  // no storage on either side
}

TEST(BitSetCompare, SetAlgebra) {
    TriangleSet a;
    TriangleSet b;
    a.SetRange(0, 4);
    b.SetRange(2, 4);
    EXPECT_TRUE(a.Intersects(b));
    EXPECT_FALSE(a.IsSubsetOf(b));
    TriangleSet both = a;
    both.And(b);
    EXPECT_EQ(SetBits(both), (std::vector<int>{2, 3}));
    EXPECT_TRUE(both.IsSubsetOf(a));
    TriangleSet onlyA = a;
    onlyA.AndNot(b);
    EXPECT_EQ(SetBits(onlyA), (std::vector<int>{0, 1}));
    TriangleSet either = a;
    either.Or(b);
    EXPECT_EQ(either.Count(), 6);
    EXPECT_FALSE(onlyA.Equals(a));
    onlyA.CopyFrom(a);
    EXPECT_TRUE(onlyA.Equals(a));
}

TEST(BitSetBytes, LoadRefusesShortBuffersAndDropsBitsPastTheEnd) {
    BitSet set(10);
    uint8_t shortBuffer[1] = {0xFF};
    EXPECT_FALSE(set.LoadBytes(shortBuffer, 1));
    EXPECT_EQ(set.Count(), 0);
    uint8_t full[2] = {0xFF, 0xFF};
    EXPECT_TRUE(set.LoadBytes(full, 2));
    EXPECT_EQ(set.Count(), 10);
    EXPECT_FALSE(set.StoreBytes(shortBuffer, 1));
    uint8_t out[2] = {};
    EXPECT_TRUE(set.StoreBytes(out, 2));
    EXPECT_EQ(out[1], 0x03);
}

TEST(BitSetShift, MovesBitsAndClearsVacatedOnes) {
    TriangleSet set;
    set.SetBit(0);
    set.SetBit(7);
    set.SetBit(100);
    ASSERT_TRUE(set.Shift(13));
    EXPECT_EQ(SetBits(set), (std::vector<int>{13, 20, 113}));
    ASSERT_TRUE(set.Shift(-13));
    EXPECT_EQ(SetBits(set), (std::vector<int>{0, 7, 100}));
}

TEST(BitSetShift, RefusesToDropASetBit) {
    TriangleSet set;
    set.SetBit(2047);
    set.SetBit(3);
    TriangleSet before = set;
    EXPECT_FALSE(set.Shift(1));
    EXPECT_TRUE(set.Equals(before));
    EXPECT_FALSE(set.Shift(-4));
    EXPECT_TRUE(set.Equals(before));
    EXPECT_FALSE(set.Shift(5000));
    EXPECT_TRUE(set.Equals(before));
    ASSERT_TRUE(set.Shift(-3));
    EXPECT_EQ(SetBits(set), (std::vector<int>{0, 2044}));
}

TEST(BitSetShift, EmptySetAlwaysShifts) {
    TriangleSet set;
    EXPECT_TRUE(set.Shift(1 << 30));
    EXPECT_TRUE(set.Shift(-5));
    BitSet none;
    EXPECT_TRUE(none.Shift(3));
}

TEST(BitSetRuns, FindsRunsAfterBrokenOnes) {
    VertexSet set;
    EXPECT_EQ(set.FindSetRun(0, 1), -1);
    set.SetRange(4, 2);
    set.SetRange(10, 3);
    EXPECT_EQ(set.FindSetRun(0, 3), 10);
    EXPECT_EQ(set.FindSetRun(0, 2), 4);
    EXPECT_EQ(set.FindSetRun(5, 2), 10);
    EXPECT_EQ(set.FindSetRun(0, 4), -1);
    EXPECT_EQ(set.FindSetRun(-100, 1), 4);
    EXPECT_EQ(set.FindSetRun(0, 11, 3), -1);  // the run would end past 11
    EXPECT_EQ(set.FindSetRun(0, 12, 3), 10);
    EXPECT_EQ(set.FindSetRun(0, 1 << 30, 3), 10);
    EXPECT_EQ(set.FindSetRun(0, 0), -1);
}

TEST(BitSetRuns, ClearRunsStopAtTheEnd) {
    TriangleSet set;
    set.SetRange(0, 2040);
    EXPECT_EQ(set.FindClearRun(0, 8), 2040);
    EXPECT_EQ(set.FindClearRun(0, 9), -1);  // bits past the end never count as clear
    EXPECT_EQ(set.FindClearRun(2045, 1), 2045);
    EXPECT_EQ(set.FindClearRun(2048, 1), -1);
}

TEST(BitSetStorage, ClearAllKeepsInlineSizeAndReleasesHeapStorage) {
    VertexSet vertices;
    vertices.SetRange(0, 100);
    vertices.ClearAll();
    EXPECT_EQ(vertices.Size(), 2048);
    EXPECT_EQ(vertices.Count(), 0);

    BitSet heap(300);
    heap.SetBit(299);
    EXPECT_TRUE(heap.OwnsStorage());
    heap.ClearAll();
    EXPECT_EQ(heap.Size(), 0);
    EXPECT_FALSE(heap.OwnsStorage());
    heap.SetBit(0);  // ignored, not a write through a null pointer
    EXPECT_EQ(heap.Count(), 0);
}

TEST(BitSetStorage, ResizeAndAdoptOnlyForHeapSets) {
    BitSet heap;
    ASSERT_TRUE(heap.Resize(17));
    EXPECT_EQ(heap.Size(), 17);
    EXPECT_EQ(heap.ByteCount(), 3);
    heap.SetRange(0, 17);
    ASSERT_TRUE(heap.Resize(9));
    EXPECT_EQ(heap.Count(), 0);
    EXPECT_FALSE(heap.Resize(-1));

    std::unique_ptr<uint8_t[]> buffer(new uint8_t[4]);
    buffer[0] = 0xAA;
    ASSERT_TRUE(heap.Adopt(std::move(buffer), 32));
    EXPECT_EQ(heap.Size(), 32);
    EXPECT_EQ(heap.Count(), 0);

    TexelSet texels;
    EXPECT_EQ(texels.Size(), 65536);
    EXPECT_FALSE(texels.Resize(10));
    EXPECT_FALSE(texels.Adopt(std::unique_ptr<uint8_t[]>(new uint8_t[2]), 16));
    EXPECT_EQ(texels.Size(), 65536);
}

TEST(BitSetStorage, CopiesOfInlineSetsAreIndependent) {
    TriangleSet a;
    a.SetBit(42);
    TriangleSet b = a;
    b.SetBit(43);
    EXPECT_EQ(a.Count(), 1);
    EXPECT_EQ(b.Count(), 2);
    a = b;
    b.ClearAll();
    EXPECT_EQ(a.Count(), 2);
}

}  // namespace

namespace {

// The plain bit-by-bit scan the run search must agree with.
int ReferenceRun(const BitSet& set, int start, int end, int length, bool value) {
    if (length < 1) {
        return -1;
    }
    const int last = std::min(end, set.Size() - 1);
    for (int first = std::max(start, 0); first + length - 1 <= last; ++first) {
        bool whole = true;
        for (int k = 0; k < length && whole; ++k) {
            whole = set.Test(first + k) == value;
        }
        if (whole) {
            return first;
        }
    }
    return -1;
}

TEST(BitSetRuns, ByteSkippingAgreesWithABitByBitScan) {
    std::mt19937 random(12345);
    TexelSet set;
    for (int trial = 0; trial < 40; ++trial) {
        set.ClearAll();
        const int density = trial % 5;  // from sparse to nearly full
        for (int block = 0; block < 400; ++block) {
            const int at = static_cast<int>(random() % 65536);
            const int size = static_cast<int>(random() % 300);
            if (static_cast<int>(random() % 5) < density) {
                set.SetRange(at, size);
            } else {
                set.SetRange(at, size / 8);
            }
        }
        for (int query = 0; query < 200; ++query) {
            const int start = static_cast<int>(random() % 66000) - 200;
            const int end = start + static_cast<int>(random() % 2000);
            const int length = 1 + static_cast<int>(random() % 40);
            ASSERT_EQ(set.FindSetRun(start, end, length),
                      ReferenceRun(set, start, end, length, true))
                << trial << " " << start << " " << end << " " << length;
            ASSERT_EQ(set.FindClearRun(start, end, length),
                      ReferenceRun(set, start, end, length, false))
                << trial << " " << start << " " << end << " " << length;
        }
    }
}

}  // namespace

// The walk must visit exactly what a plain index loop finds, in the same order, with runs that
// join across byte and word boundaries and a limit that clips anywhere.
TEST(BitSetWalk, VisitsWhatAnIndexLoopFinds) {
    struct Case {
        const char* name;
        int size;
        std::vector<std::pair<int, int>> ranges;  // first, count
        int limit;
    };
    const Case cases[] = {
        {"empty", 2048, {}, 2048},
        {"no storage", 0, {}, 2048},
        {"first and last", 2048, {{0, 1}, {2047, 1}}, 2048},
        {"word edges", 2048, {{63, 2}, {127, 1}, {128, 1}, {191, 66}}, 2048},
        {"dense", 2048, {{0, 2048}}, 2048},
        {"dense clipped mid-word", 2048, {{0, 2048}}, 1000},
        {"odd size tail", 77, {{60, 17}}, 2048},
        {"limit below a run", 256, {{8, 8}, {100, 50}}, 120},
        {"negative limit", 256, {{0, 256}}, -1},
    };
    for (const Case& c : cases) {
        BitSet set(c.size);
        for (auto [first, count] : c.ranges) {
            set.SetRange(first, count);
        }
        std::vector<int> expected;
        std::vector<std::pair<int, int>> expectedRuns;
        for (int i = 0; i < std::min(c.size, c.limit); ++i) {
            if (!set.Test(i)) {
                continue;
            }
            expected.push_back(i);
            if (!expectedRuns.empty() &&
                expectedRuns.back().first + expectedRuns.back().second == i) {
                ++expectedRuns.back().second;
            } else {
                expectedRuns.emplace_back(i, 1);
            }
        }
        std::vector<int> members;
        set.ForEachSet([&members](int i) { members.push_back(i); }, c.limit);
        std::vector<std::pair<int, int>> runs;
        set.ForEachRun([&runs](int first, int count) { runs.emplace_back(first, count); }, c.limit);
        EXPECT_EQ(members, expected) << c.name;
        EXPECT_EQ(runs, expectedRuns) << c.name;
    }
}
