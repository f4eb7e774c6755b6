#pragma once

#include <gtest/gtest.h>

#include "editor/model/pose_vector.h"
#include "scene/vector.h"

using namespace ::editor::model;
using namespace ::scene;

// Component-wise closeness for scene and pose vectors.
inline void ExpectNear(const Vector& actual, const Vector& expected, double tolerance = 1e-4) {
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}

inline void ExpectNear(const PoseVec& actual, const PoseVec& expected, double tolerance = 1e-5) {
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}
