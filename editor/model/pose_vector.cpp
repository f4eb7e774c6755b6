#include "editor/model/pose_vector.h"

#include <cmath>

namespace editor::model {

double Length(const PoseVec& v) {
    return std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
}

PoseVec Normalized(const PoseVec& v) {
    double length = Length(v);
    if (length == 0.0) {
        return v;
    }
    return v * (1.0 / length);
}

Rotation3 operator*(const Rotation3& a, const Rotation3& b) {
    Rotation3 product;
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 3; ++col) {
            product.m[row][col] =
                a.m[row][0] * b.m[0][col] + a.m[row][1] * b.m[1][col] + a.m[row][2] * b.m[2][col];
        }
    }
    return product;
}

PoseVec operator*(const Rotation3& r, const PoseVec& v) {
    return {r.m[0][0] * v.x + r.m[0][1] * v.y + r.m[0][2] * v.z,
            r.m[1][0] * v.x + r.m[1][1] * v.y + r.m[1][2] * v.z,
            r.m[2][0] * v.x + r.m[2][1] * v.y + r.m[2][2] * v.z};
}

Rotation3 Transposed(const Rotation3& rotation) {
    Rotation3 result;
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            result.m[i][j] = rotation.m[j][i];
        }
    }
    return result;
}

Rotation3 RotationX(double angle) {
    double c = std::cos(angle);
    double s = std::sin(angle);
    return Rotation3{{{1, 0, 0}, {0, c, s}, {0, -s, c}}};
}

Rotation3 RotationY(double angle) {
    double c = std::cos(angle);
    double s = std::sin(angle);
    return Rotation3{{{c, 0, -s}, {0, 1, 0}, {s, 0, c}}};
}

Rotation3 RotationZ(double angle) {
    double c = std::cos(angle);
    double s = std::sin(angle);
    return Rotation3{{{c, s, 0}, {-s, c, 0}, {0, 0, 1}}};
}

}  // namespace editor::model
