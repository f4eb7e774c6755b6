#pragma once
// Small vector arithmetic on surface points, and the median of a list, for measuring meshes.

#include <algorithm>
#include <cmath>
#include <vector>

#include "editor/skeleton/surface_samples.h"

namespace editor::skeleton::points {

inline Point3 Add(const Point3& a, const Point3& b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}
inline Point3 Sub(const Point3& a, const Point3& b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
inline Point3 Scale(const Point3& a, double s) {
    return {a.x * s, a.y * s, a.z * s};
}
inline double Dot(const Point3& a, const Point3& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
inline Point3 Cross(const Point3& a, const Point3& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
inline double Norm(const Point3& a) {
    return std::sqrt(Dot(a, a));
}
inline Point3 Lerp(const Point3& a, const Point3& b, double t) {
    return Add(a, Scale(Sub(b, a), t));
}

inline double Median(std::vector<double> values) {
    const auto middle = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
    std::nth_element(values.begin(), middle, values.end());
    return *middle;
}

}  // namespace editor::skeleton::points
