#include "scene/matrix.h"

#include <cmath>
#include <utility>

namespace scene {

C3dMatrix::C3dMatrix() {
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) {
            m[r][c] = r == c ? 1.0 : 0.0;
        }
    }
}

C3dMatrix C3dMatrix::FromAxes(const Vector& xAxis, const Vector& yAxis, const Vector& zAxis,
                              const Vector& origin) {
    C3dMatrix result;
    result.SetColumn(0, xAxis);
    result.SetColumn(1, yAxis);
    result.SetColumn(2, zAxis);
    result.SetColumn(3, origin);
    return result;
}

C3dMatrix C3dMatrix::AxisRotation(const Vector& axis, double radians) {
    double length = axis.Length();
    C3dMatrix result;
    if (length == 0.0) {
        return result;
    }
    double kx = axis.x / length, ky = axis.y / length, kz = axis.z / length;
    double c = std::cos(radians), s = std::sin(radians), t = 1.0 - c;
    result.m[0][0] = t * kx * kx + c;
    result.m[0][1] = t * kx * ky - s * kz;
    result.m[0][2] = t * kx * kz + s * ky;
    result.m[1][0] = t * kx * ky + s * kz;
    result.m[1][1] = t * ky * ky + c;
    result.m[1][2] = t * ky * kz - s * kx;
    result.m[2][0] = t * kx * kz - s * ky;
    result.m[2][1] = t * ky * kz + s * kx;
    result.m[2][2] = t * kz * kz + c;
    return result;
}

void C3dMatrix::Scale(double sx, double sy, double sz) {
    *this = C3dMatrix();
    m[0][0] = sx;
    m[1][1] = sy;
    m[2][2] = sz;
}

void C3dMatrix::Translate(double dx, double dy, double dz) {
    *this = C3dMatrix();
    m[0][3] = dx;
    m[1][3] = dy;
    m[2][3] = dz;
}

C3dMatrix C3dMatrix::RotationX(double degrees) {
    double a = degrees * C3D_RADIANS_PER_DEGREE, c = std::cos(a), s = std::sin(a);
    C3dMatrix r;
    r.m[1][1] = c;
    r.m[1][2] = s;
    r.m[2][1] = -s;
    r.m[2][2] = c;
    return r;
}

C3dMatrix C3dMatrix::RotationY(double degrees) {
    double a = degrees * C3D_RADIANS_PER_DEGREE, c = std::cos(a), s = std::sin(a);
    C3dMatrix r;
    r.m[0][0] = c;
    r.m[0][2] = -s;
    r.m[2][0] = s;
    r.m[2][2] = c;
    return r;
}

C3dMatrix C3dMatrix::RotationZ(double degrees) {
    double a = degrees * C3D_RADIANS_PER_DEGREE, c = std::cos(a), s = std::sin(a);
    C3dMatrix r;
    r.m[0][0] = c;
    r.m[0][1] = s;
    r.m[1][0] = -s;
    r.m[1][1] = c;
    return r;
}

void C3dMatrix::Rotate(double rx, double ry, double rz) {
    *this = *this * RotationX(rx) * RotationY(ry) * RotationZ(rz);
}

C3dMatrix C3dMatrix::operator*(const C3dMatrix& b) const {
    C3dMatrix result;
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) {
            double sum = 0.0;
            for (int k = 0; k < 4; ++k) {
                sum += m[r][k] * b.m[k][c];
            }
            result.m[r][c] = sum;
        }
    }
    return result;
}

C3dVector4 C3dMatrix::TransformHomogeneous(double x, double y, double z, double w) const {
    double in[4] = {x, y, z, w};
    double out[4];
    for (int r = 0; r < 4; ++r) {
        out[r] = m[r][0] * in[0] + m[r][1] * in[1] + m[r][2] * in[2] + m[r][3] * in[3];
    }
    return C3dVector4{out[0], out[1], out[2], out[3]};
}

Vector C3dMatrix::Transform(const Vector& p) const {
    C3dVector4 h = TransformHomogeneous(p.x, p.y, p.z, 1.0);
    return Vector(h.x, h.y, h.z);
}

Vector C3dMatrix::TransformDirection(const Vector& v) const {
    C3dVector4 h = TransformHomogeneous(v.x, v.y, v.z, 0.0);
    return Vector(h.x, h.y, h.z);
}

void C3dMatrix::SetColumn(int c, const Vector& v) {
    m[0][c] = v.x;
    m[1][c] = v.y;
    m[2][c] = v.z;
}

bool C3dMatrix::Inverse(C3dMatrix& out) const {
    // Gauss-Jordan elimination with partial pivoting on [this | I].
    double a[4][8];
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) {
            a[r][c] = m[r][c];
            a[r][c + 4] = r == c ? 1.0 : 0.0;
        }
    }
    for (int col = 0; col < 4; ++col) {
        int pivot = col;
        for (int r = col + 1; r < 4; ++r) {
            if (std::fabs(a[r][col]) > std::fabs(a[pivot][col])) {
                pivot = r;
            }
        }
        if (std::fabs(a[pivot][col]) < 1e-300) {
            return false;
        }
        if (pivot != col) {
            for (int c = 0; c < 8; ++c) {
                std::swap(a[pivot][c], a[col][c]);
            }
        }
        double scale = 1.0 / a[col][col];
        for (int c = 0; c < 8; ++c) {
            a[col][c] *= scale;
        }
        for (int r = 0; r < 4; ++r) {
            if (r != col && a[r][col] != 0.0) {
                double factor = a[r][col];
                for (int c = 0; c < 8; ++c) {
                    a[r][c] -= factor * a[col][c];
                }
            }
        }
    }
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) {
            out.m[r][c] = a[r][c + 4];
        }
    }
    return true;
}

}  // namespace scene
