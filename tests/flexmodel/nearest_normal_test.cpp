// The grid lookup against a scan of the whole table, over directions chosen to sit on and
// between the table's entries, where a lookup that misses a candidate would differ.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "flexmodel/nearest_normal.h"
#include "flexmodel/vertex_normals.h"
#include "tests/flexmodel/nearest_normal_reference.h"

using namespace ::flexmodel;

namespace {

std::vector<std::array<double, 3>> Directions() {
    std::vector<std::array<double, 3>> directions = {
        {0, 0, 0},
        {1, 0, 0},
        {-1, 0, 0},
        {0, 1, 0},
        {0, 0, -1},
        {1, 1, 1},
        {1e-30, 0, 0},
        {1e30, -1e30, 0},
        {3, 4, 0},
        {std::numeric_limits<double>::quiet_NaN(), 0, 0},
        {std::numeric_limits<double>::infinity(), 0, 0},
    };
    for (const auto& n : VERTEX_NORMALS) {
        directions.push_back({n[0], n[1], n[2]});
        directions.push_back({-n[0], -n[1], -n[2]});
        for (const auto& m : VERTEX_NORMALS) {
            // Half-way between two entries: the ties and near-ties.
            directions.push_back({n[0] + m[0], n[1] + m[1], n[2] + m[2]});
        }
    }
    std::mt19937 random(7);
    std::normal_distribution<double> gauss;
    for (int i = 0; i < 200000; ++i) {
        directions.push_back({gauss(random), gauss(random), gauss(random)});
    }
    return directions;
}

}  // namespace

TEST(NearestNormalTest, GridLookupEqualsTheScanOfTheWholeTable) {
    int differences = 0;
    for (const auto& d : Directions()) {
        const int expected = ReferenceNearestNormal(d[0], d[1], d[2]);
        const int actual = NearestVertexNormal(d[0], d[1], d[2]);
        if (actual != expected && ++differences < 10) {
            ADD_FAILURE() << "(" << d[0] << ", " << d[1] << ", " << d[2] << "): " << actual
                          << " instead of " << expected;
        }
    }
    EXPECT_EQ(differences, 0);
}

TEST(NearestNormalTest, EveryEntryFindsItself) {
    for (int i = 0; i < NUM_VERTEX_NORMALS; ++i) {
        const auto& n = VERTEX_NORMALS[i];
        EXPECT_EQ(NearestVertexNormal(n[0] * 3.0, n[1] * 3.0, n[2] * 3.0), i);
    }
}
