#include "editor/generate/quaternion.h"

#include <cmath>

namespace editor::generate {

using namespace ::editor::model;

// Shepperd's method: the largest of the four candidates keeps the division well away from zero.
Quaternion Quaternion::FromRotation(const Rotation3& r) {
    const double(&m)[3][3] = r.m;
    const double trace = m[0][0] + m[1][1] + m[2][2];
    Quaternion q;
    if (trace > 0.0) {
        const double s = 2.0 * std::sqrt(1.0 + trace);
        q = {0.25 * s, (m[2][1] - m[1][2]) / s, (m[0][2] - m[2][0]) / s, (m[1][0] - m[0][1]) / s};
    } else if (m[0][0] > m[1][1] && m[0][0] > m[2][2]) {
        const double s = 2.0 * std::sqrt(1.0 + m[0][0] - m[1][1] - m[2][2]);
        q = {(m[2][1] - m[1][2]) / s, 0.25 * s, (m[0][1] + m[1][0]) / s, (m[0][2] + m[2][0]) / s};
    } else if (m[1][1] > m[2][2]) {
        const double s = 2.0 * std::sqrt(1.0 + m[1][1] - m[0][0] - m[2][2]);
        q = {(m[0][2] - m[2][0]) / s, (m[0][1] + m[1][0]) / s, 0.25 * s, (m[1][2] + m[2][1]) / s};
    } else {
        const double s = 2.0 * std::sqrt(1.0 + m[2][2] - m[0][0] - m[1][1]);
        q = {(m[1][0] - m[0][1]) / s, (m[0][2] + m[2][0]) / s, (m[1][2] + m[2][1]) / s, 0.25 * s};
    }
    return q;
}

void Quaternion::AddWeighted(const Quaternion& other, double weight) {
    const double dot = w * other.w + x * other.x + y * other.y + z * other.z;
    const double s = dot < 0.0 ? -weight : weight;
    w += s * other.w;
    x += s * other.x;
    y += s * other.y;
    z += s * other.z;
}

Rotation3 Quaternion::ToRotation() const {
    const double norm2 = w * w + x * x + y * y + z * z;
    Rotation3 r;
    if (norm2 == 0.0) {
        return r;
    }
    const double s = 2.0 / norm2;
    r.m[0][0] = 1.0 - s * (y * y + z * z);
    r.m[0][1] = s * (x * y - w * z);
    r.m[0][2] = s * (x * z + w * y);
    r.m[1][0] = s * (x * y + w * z);
    r.m[1][1] = 1.0 - s * (x * x + z * z);
    r.m[1][2] = s * (y * z - w * x);
    r.m[2][0] = s * (x * z - w * y);
    r.m[2][1] = s * (y * z + w * x);
    r.m[2][2] = 1.0 - s * (x * x + y * y);
    return r;
}

}  // namespace editor::generate
