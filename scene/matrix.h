#pragma once

#include "scene/object.h"
#include "scene/vector.h"

namespace scene {

// Degrees to radians as the rotation matrices take them.
inline constexpr double C3D_RADIANS_PER_DEGREE = 0.01745329251994;

// Homogeneous result of a transform (x, y, z, w).
struct C3dVector4 {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
    double w = 1.0;
};

// A 4 x 4 matrix of doubles, row by row; a point p becomes M . p as a column vector, so the
// first three columns are the images of the x, y and z axes and the last column the origin.
class C3dMatrix : public C3dObject {
  public:
    double m[4][4];

    // Identity.
    C3dMatrix();

    static C3dMatrix Identity() { return C3dMatrix(); }
    // Columns x, y, z hold the axes, the last column the origin.
    static C3dMatrix FromAxes(const Vector& xAxis, const Vector& yAxis, const Vector& zAxis,
                              const Vector& origin);
    // Rotation about an arbitrary axis by an angle in radians; about z a quarter turn carries
    // x onto y.
    static C3dMatrix AxisRotation(const Vector& axis, double radians);

    // Makes this the scale matrix diag(sx, sy, sz, 1).
    void Scale(double sx, double sy, double sz);
    // Makes this the translation by (dx, dy, dz).
    void Translate(double dx, double dy, double dz);
    // this = this . Rx(rx) . Ry(ry) . Rz(rz), angles in degrees.
    void Rotate(double rx, double ry, double rz);

    static C3dMatrix RotationX(double degrees);
    static C3dMatrix RotationY(double degrees);
    static C3dMatrix RotationZ(double degrees);

    // Row-by-column product this . b.
    C3dMatrix operator*(const C3dMatrix& b) const;

    // M . (p, 1) without the perspective divide.
    Vector Transform(const Vector& p) const;
    // M . (v, 0): a direction, ignoring the translation.
    Vector TransformDirection(const Vector& v) const;
    C3dVector4 TransformHomogeneous(double x, double y, double z, double w = 1.0) const;

    // General 4 x 4 inverse; returns false (and leaves out untouched) for a singular matrix.
    bool Inverse(C3dMatrix& out) const;

    Vector Column(int c) const { return Vector(m[0][c], m[1][c], m[2][c]); }
    void SetColumn(int c, const Vector& v);
};

}  // namespace scene
