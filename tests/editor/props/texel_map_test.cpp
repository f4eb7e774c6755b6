#include <gtest/gtest.h>

#include <random>

#include "editor/props/free_rect.h"
#include "editor/props/texel_scan.h"
#include "tests/editor/props/texture_mesh.h"

using namespace ::editor::props;

namespace {

bool Texel(const TexelSet& texels, int column, int row) {
    return texels.Test(row * SKIN_SIDE + column);
}

int CountInRow(const TexelSet& texels, int row) {
    int count = 0;
    for (int x = 0; x < SKIN_SIDE; ++x) {
        count += Texel(texels, x, row);
    }
    return count;
}

TEST(FillTexelTriangle, FillsEveryRowBetweenTheEdgesInclusive) {
    TexelSet texels;
    FillTexelTriangle(texels, {0, 0}, {10, 0}, {0, 10});
    for (int row = 0; row <= 10; ++row) {
        // Row r runs from column 0 to 10 - r.
        EXPECT_EQ(CountInRow(texels, row), 11 - row) << row;
        EXPECT_TRUE(Texel(texels, 10 - row, row));
    }
    EXPECT_EQ(CountInRow(texels, 11), 0);
    EXPECT_EQ(texels.Count(), 66);
}

TEST(FillTexelTriangle, GeneralTriangleIsCutAtItsMiddleCorner) {
    TexelSet texels;
    FillTexelTriangle(texels, {20, 10}, {40, 20}, {10, 30});
    // The middle corner's row reaches both the middle corner and the long edge.
    EXPECT_TRUE(Texel(texels, 40, 20));
    EXPECT_TRUE(Texel(texels, 15, 20));
    EXPECT_TRUE(Texel(texels, 20, 10));
    EXPECT_TRUE(Texel(texels, 10, 30));
    EXPECT_FALSE(Texel(texels, 41, 20));
    EXPECT_FALSE(Texel(texels, 20, 9));
    EXPECT_FALSE(Texel(texels, 10, 31));
    // Rows are contiguous spans.
    for (int row = 10; row <= 30; ++row) {
        int first = -1, last = -1;
        for (int x = 0; x < SKIN_SIDE; ++x) {
            if (Texel(texels, x, row)) {
                first = first < 0 ? x : first;
                last = x;
            }
        }
        ASSERT_GE(first, 0) << row;
        EXPECT_EQ(last - first + 1, CountInRow(texels, row)) << row;
    }
}

TEST(FillTexelTriangle, VerticalEdgesAndSingleRowsAreFilled) {
    TexelSet texels;
    FillTexelTriangle(texels, {5, 5}, {5, 15}, {9, 15});
    EXPECT_TRUE(Texel(texels, 5, 5));
    EXPECT_TRUE(Texel(texels, 5, 15));
    EXPECT_TRUE(Texel(texels, 9, 15));
    EXPECT_FALSE(Texel(texels, 4, 10));

    TexelSet flat;
    FillTexelTriangle(flat, {3, 7}, {12, 7}, {8, 7});
    EXPECT_EQ(flat.Count(), 10);
    EXPECT_EQ(CountInRow(flat, 7), 10);
}

TEST(FillTexelTriangle, PartsOutsideTheSkinAreClippedNotWrapped) {
    TexelSet texels;
    // Reaches past column 255 on row 0 and above row 0.
    FillTexelTriangle(texels, {240, -20}, {400, 0}, {240, 0});
    for (int x = 0; x < 200; ++x) {
        EXPECT_FALSE(Texel(texels, x, 1)) << x;  // a wrapped span would land in row 1
    }
    EXPECT_TRUE(Texel(texels, 255, 0));
    EXPECT_EQ(CountInRow(texels, 0), 16);

    TexelSet none;
    FillTexelTriangle(none, {-1e30, 0}, {1e30, 5}, {0, 1e30});
    FillTexelTriangle(none, {0.0 / 0.0, 0}, {1, 5}, {0, 1});
    EXPECT_LE(none.Count(), SKIN_SIDE * SKIN_SIDE);
}

TEST(MarkTexels, ScalesAboutTheOriginAndSkipsBadTextureIndices) {
    auto mesh = MeshWithRect(100, 100, 200, 200);
    TexelSet texels;
    MarkTexels(texels, *mesh, {100, 100}, 0.5);
    EXPECT_TRUE(Texel(texels, 100, 100));
    EXPECT_TRUE(Texel(texels, 150, 150));
    EXPECT_FALSE(Texel(texels, 151, 151));
    EXPECT_FALSE(Texel(texels, 99, 100));

    // A texture index the mesh does not have is never read.
    mesh->texFaces[1] = 5000;
    TexelSet skipped;
    MarkTexels(skipped, *mesh, {0, 0}, 1.0);
    EXPECT_TRUE(Texel(skipped, 101, 199));   // second triangle still marked
    EXPECT_FALSE(Texel(skipped, 199, 101));  // first one skipped
}

// The search as first described: scan rows top-down and, within a row, each run of w clear
// texels left to right, checking the rows below it.
bool StraightFindFreeRect(const TexelSet& texels, int w, int h, TexelRect& found) {
    for (int y = 0; y < SKIN_SIDE - h; ++y) {
        for (int x = 0; x < SKIN_SIDE - w; ++x) {
            bool clear = true;
            for (int r = y; r < y + h && clear; ++r) {
                for (int c = x; c < x + w && clear; ++c) {
                    clear = !Texel(texels, c, r);
                }
            }
            if (clear) {
                found = {x, y};
                return true;
            }
        }
    }
    return false;
}

TEST(FindFreeRect, AgreesWithTheStraightforwardSearchOnRandomMaps) {
    std::mt19937 random(7);
    for (int trial = 0; trial < 40; ++trial) {
        TexelSet texels;
        const int blocks = trial % 30;
        for (int b = 0; b < blocks * 4; ++b) {
            const double u = random() % 256, v = random() % 256;
            FillTexelTriangle(texels, {u, v}, {u + random() % 60, v}, {u, v + random() % 60});
        }
        const int w = 1 + random() % 120, h = 1 + random() % 120;
        TexelRect fast, slow;
        const bool fastFound = FindFreeRect(texels, w, h, fast);
        ASSERT_EQ(fastFound, StraightFindFreeRect(texels, w, h, slow)) << trial;
        if (fastFound) {
            EXPECT_EQ(fast.x, slow.x) << trial;
            EXPECT_EQ(fast.y, slow.y) << trial;
        }
    }
}

TEST(FindFreeRect, NeverTouchesTheLastRowOrColumn) {
    TexelSet texels;
    TexelRect found;
    EXPECT_TRUE(FindFreeRect(texels, 255, 255, found));
    EXPECT_EQ(found.x, 0);
    EXPECT_FALSE(FindFreeRect(texels, 256, 1, found));
    EXPECT_FALSE(FindFreeRect(texels, 0, 5, found));
    // Only the last column and row are free: nothing fits.
    texels.SetRange(0, SKIN_SIDE * SKIN_SIDE);
    for (int i = 0; i < SKIN_SIDE; ++i) {
        texels.ClearBit(i * SKIN_SIDE + 255);
        texels.ClearBit(255 * SKIN_SIDE + i);
    }
    EXPECT_FALSE(FindFreeRect(texels, 1, 1, found));
}

TEST(FindFreeRect, FirstFitIsTopmostThenLeftmost) {
    TexelSet texels;
    texels.SetRange(0, 10 * SKIN_SIDE);  // rows 0..9 full
    for (int row = 10; row < 20; ++row) {
        texels.SetRange(row * SKIN_SIDE, 30);  // columns 0..29 of rows 10..19
    }
    TexelRect found;
    ASSERT_TRUE(FindFreeRect(texels, 20, 5, found));
    EXPECT_EQ(found.x, 30);
    EXPECT_EQ(found.y, 10);
}

}  // namespace
