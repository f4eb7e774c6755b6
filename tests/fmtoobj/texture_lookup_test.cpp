#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "fmtoobj/texture_lookup.h"

using namespace ::fmtoobj;

TEST(TextureLookup, RoundsToTheNearestTexelAndComparesAs16Bits) {
    EXPECT_EQ(TexelOf(128 / 256.0f), 128);
    EXPECT_EQ(TexelOf(127.6f / 256.0f), 128);
    EXPECT_EQ(TexelOf(127.4f / 256.0f), 127);
    EXPECT_EQ(TexelOf(-0.2f / 256.0f), 0);  // truncation toward zero after the half
    EXPECT_EQ(TexelOf(-1.0f / 256.0f), 0);  // -0.5 truncates to 0
    EXPECT_EQ(TexelOf(-2.0f / 256.0f), -1);
    EXPECT_EQ(TexelOf(65536.0f / 256.0f), 0);  // wraps like a 16-bit value
    EXPECT_FALSE(TexelOf(std::numeric_limits<float>::quiet_NaN()));
    EXPECT_FALSE(TexelOf(std::numeric_limits<float>::infinity()));
    EXPECT_FALSE(TexelOf(1e30f));
}

TEST(TextureLookup, FirstMatchWins) {
    std::vector<StCoord> coords = {{1, 2}, {5, 5}, {1, 2}};
    TextureLookup lookup(coords);
    EXPECT_EQ(lookup.Find(1 / 256.0f, 2 / 256.0f), 0);
    EXPECT_EQ(lookup.Find(5 / 256.0f, 5 / 256.0f), 1);
    EXPECT_EQ(lookup.Find(5 / 256.0f, 6 / 256.0f), -1);
}

TEST(TextureLookup, IndexAgreesWithTheLinearSearch) {
    std::mt19937 random(7);
    std::uniform_int_distribution<int> texel(-4, 40);
    std::vector<StCoord> coords;
    for (int i = 0; i < 600; ++i) {
        coords.push_back(
            {static_cast<int16_t>(texel(random)), static_cast<int16_t>(texel(random))});
    }
    coords.push_back({-32768, 32767});
    TextureLookup lookup(coords);
    std::uniform_real_distribution<float> fraction(-0.03f, 0.2f);
    std::vector<std::pair<float, float>> queries = {
        {-128.0f, 127.996f}, {std::nanf(""), 0.0f}, {1e9f, 0.0f}, {255.99f, 256.0f}};
    for (int i = 0; i < 5000; ++i) {
        queries.emplace_back(fraction(random), fraction(random));
    }
    for (auto [s, t] : queries) {
        ASSERT_EQ(lookup.Find(s, t), FindTextureVertexLinear(coords, s, t)) << s << "," << t;
    }
}
