#pragma once

#include "editor/model/skeleton_tables.h"

namespace editor::model {

// Double-precision 3-vector and 3x3 rotation for pose arithmetic. Pose records store doubles,
// so the arithmetic stays in double until a position is handed to the scene.
struct PoseVec {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
};

inline PoseVec operator+(const PoseVec& a, const PoseVec& b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}
inline PoseVec operator-(const PoseVec& a, const PoseVec& b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
inline PoseVec operator*(const PoseVec& a, double s) {
    return {a.x * s, a.y * s, a.z * s};
}
inline bool operator==(const PoseVec& a, const PoseVec& b) {
    return a.x == b.x && a.y == b.y && a.z == b.z;
}

double Length(const PoseVec& v);
// Unit vector along v; a zero vector is returned unchanged.
PoseVec Normalized(const PoseVec& v);

// Pose space and display space differ only in the sign of X; the conversion is its own inverse.
inline PoseVec FlipX(const PoseVec& v) {
    return {-v.x, v.y, v.z};
}

// Table axes (a = left, b = up, c = backward) to pose space (+X forward, +Y left, +Z up).
inline PoseVec TableToPose(const TableVector& v) {
    return {-static_cast<double>(v.c), static_cast<double>(v.a), static_cast<double>(v.b)};
}

// Row-major 3x3 matrix acting on column vectors.
struct Rotation3 {
    double m[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
};

Rotation3 operator*(const Rotation3& a, const Rotation3& b);
PoseVec operator*(const Rotation3& r, const PoseVec& v);

// The rotations about X, Y and Z used by poses, the scene's matrices and drags (radians).
Rotation3 RotationX(double angle);
Rotation3 RotationY(double angle);
Rotation3 RotationZ(double angle);
// The inverse of a rotation.
Rotation3 Transposed(const Rotation3& rotation);

}  // namespace editor::model
