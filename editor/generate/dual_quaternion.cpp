#include "editor/generate/dual_quaternion.h"

#include <cmath>

namespace editor::generate {

using namespace ::editor::model;

namespace {

Quaternion Multiply(const Quaternion& a, const Quaternion& b) {
    return {a.w * b.w - a.x * b.x - a.y * b.y - a.z * b.z,
            a.w * b.x + a.x * b.w + a.y * b.z - a.z * b.y,
            a.w * b.y - a.x * b.z + a.y * b.w + a.z * b.x,
            a.w * b.z + a.x * b.y - a.y * b.x + a.z * b.w};
}

Quaternion Conjugate(const Quaternion& q) {
    return {q.w, -q.x, -q.y, -q.z};
}

double Dot(const Quaternion& a, const Quaternion& b) {
    return a.w * b.w + a.x * b.x + a.y * b.y + a.z * b.z;
}

void AddScaled(Quaternion& sum, const Quaternion& q, double s) {
    sum.w += s * q.w;
    sum.x += s * q.x;
    sum.y += s * q.y;
    sum.z += s * q.z;
}

// Shepperd's method: the largest of the four candidates keeps the division well away from zero.
Quaternion FromRotation(const Rotation3& r) {
    const double (&m)[3][3] = r.m;
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
    const double norm = std::sqrt(Dot(q, q));
    return {q.w / norm, q.x / norm, q.y / norm, q.z / norm};
}

}  // namespace

DualQuaternion DualQuaternion::FromMotion(const Rotation3& rotation, const PoseVec& translation) {
    DualQuaternion motion;
    motion.real = FromRotation(rotation);
    const Quaternion t{0.0, translation.x, translation.y, translation.z};
    motion.dual = Quaternion{0.0, 0.0, 0.0, 0.0};
    AddScaled(motion.dual, Multiply(t, motion.real), 0.5);
    return motion;
}

void DualQuaternion::AddWeighted(const DualQuaternion& other, double weight) {
    const double signedWeight = Dot(real, other.real) < 0.0 ? -weight : weight;
    AddScaled(real, other.real, signedWeight);
    AddScaled(dual, other.dual, signedWeight);
}

PoseVec DualQuaternion::Transform(const PoseVec& p) const {
    const double norm = std::sqrt(Dot(real, real));
    if (norm == 0.0) {
        return p;
    }
    Quaternion r{real.w / norm, real.x / norm, real.y / norm, real.z / norm};
    Quaternion d{dual.w / norm, dual.x / norm, dual.y / norm, dual.z / norm};
    const Quaternion rotated = Multiply(Multiply(r, Quaternion{0.0, p.x, p.y, p.z}), Conjugate(r));
    // translation = 2 * d * conj(r); the part of d along r (left by the normalisation of a
    // blend) does not move the point.
    const Quaternion t = Multiply(d, Conjugate(r));
    return {rotated.x + 2.0 * t.x, rotated.y + 2.0 * t.y, rotated.z + 2.0 * t.z};
}

}  // namespace editor::generate
