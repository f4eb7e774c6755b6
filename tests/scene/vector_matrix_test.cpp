#include <gtest/gtest.h>

#include <cmath>

#include "scene/matrix.h"
#include "scene/vector.h"

using namespace ::scene;

namespace {

void ExpectNear(const Vector& actual, double x, double y, double z, double tolerance = 1e-5) {
    EXPECT_NEAR(actual.x, x, tolerance);
    EXPECT_NEAR(actual.y, y, tolerance);
    EXPECT_NEAR(actual.z, z, tolerance);
}

TEST(VectorTest, ArithmeticAndDefaults) {
    ExpectNear(Vector(), 1, 1, 1);
    Vector a(1, 2, 3), b(4, -5, 6);
    ExpectNear(Vector::Add(a, b), 5, -3, 9);
    ExpectNear(Vector::Subtract(a, b), -3, 7, -3);
    ExpectNear(Vector::Scaled(a, -2.0), -2, -4, -6);
    ExpectNear(a.Negate(), -1, -2, -3);
    ExpectNear(Vector::Cross(a, b), 2 * 6 - 3 * -5, 3 * 4 - 1 * 6, 1 * -5 - 2 * 4);
    EXPECT_DOUBLE_EQ(a.Dot(b), 4 - 10 + 18);
    a.AddInPlace(b);
    ExpectNear(a, 5, -3, 9);
    a.SubtractInPlace(b);
    ExpectNear(a, 1, 2, 3);
    const float raw[3] = {7, 8, 9};
    ExpectNear(Vector(raw), 7, 8, 9);
}

TEST(VectorTest, NormalizeRefusesZeroLength) {
    Vector v(3, 0, 4);
    EXPECT_DOUBLE_EQ(v.Length(), 5.0);
    EXPECT_TRUE(v.Normalize());
    ExpectNear(v, 0.6, 0, 0.8);
    Vector zero(0, 0, 0);
    EXPECT_FALSE(zero.Normalize());
    EXPECT_EQ(zero, Vector(0, 0, 0));
}

TEST(VectorTest, ComputesInDoubleBeforeStoringFloat) {
    // Squares beyond the float range would overflow in float arithmetic.
    EXPECT_NEAR(Vector(1e20, 1e20, 0).Length(), std::sqrt(2.0) * 1e20, 1e13);
    EXPECT_DOUBLE_EQ(Vector(0.1, 0, 0).Dot(Vector(0.1, 0, 0)), double(0.1f) * double(0.1f));
}

TEST(MatrixTest, RotationsFollowTheFixedMatrices) {
    // Rz(90) takes x to -y and y to x; Rx(90) takes y to -z; Ry(90) takes x to z.
    ExpectNear(C3dMatrix::RotationZ(90).Transform(Vector(1, 0, 0)), 0, -1, 0);
    ExpectNear(C3dMatrix::RotationZ(90).Transform(Vector(0, 1, 0)), 1, 0, 0);
    ExpectNear(C3dMatrix::RotationX(90).Transform(Vector(0, 1, 0)), 0, 0, -1);
    ExpectNear(C3dMatrix::RotationY(90).Transform(Vector(1, 0, 0)), 0, 0, 1);
    // Rotate multiplies on the right in the order x, y, z.
    C3dMatrix m;
    m.Rotate(30, 40, 50);
    C3dMatrix expected =
        C3dMatrix::RotationX(30) * C3dMatrix::RotationY(40) * C3dMatrix::RotationZ(50);
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) {
            EXPECT_NEAR(m.m[r][c], expected.m[r][c], 1e-12);
        }
    }
    EXPECT_NEAR(std::cos(90 * C3D_RADIANS_PER_DEGREE), 0.0, 1e-12);
}

TEST(MatrixTest, ScaleTranslateProductAndInverse) {
    C3dMatrix scale;
    scale.Scale(2, 3, 4);
    ExpectNear(scale.Transform(Vector(1, 1, 1)), 2, 3, 4);
    C3dMatrix move;
    move.Translate(10, 20, 30);
    ExpectNear(move.Transform(Vector(1, 1, 1)), 11, 21, 31);
    ExpectNear(move.TransformDirection(Vector(1, 1, 1)), 1, 1, 1);
    // move . scale scales first, then moves.
    ExpectNear((move * scale).Transform(Vector(1, 1, 1)), 12, 23, 34);

    C3dMatrix m = move * C3dMatrix::RotationY(33) * scale;
    C3dMatrix inverse;
    ASSERT_TRUE(m.Inverse(inverse));
    ExpectNear(inverse.Transform(m.Transform(Vector(-3, 5, 7))), -3, 5, 7);

    C3dMatrix singular;
    singular.Scale(1, 0, 1);
    C3dMatrix untouched;
    EXPECT_FALSE(singular.Inverse(untouched));
    EXPECT_EQ(untouched.m[1][1], 1.0);
}

TEST(MatrixTest, AxisRotationTurnsXTowardsY) {
    C3dMatrix r = C3dMatrix::AxisRotation(Vector(0, 0, 2), std::acos(-1.0) / 2);
    ExpectNear(r.Transform(Vector(1, 0, 0)), 0, 1, 0);
    ExpectNear(C3dMatrix::AxisRotation(Vector(0, 0, 0), 1.0).Transform(Vector(1, 2, 3)), 1, 2, 3);
}

}  // namespace
