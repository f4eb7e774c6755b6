#pragma once
// The straightforward nearest-normal scan that the grid lookup must equal: every table entry,
// the first of equally near ones wins.

#include <cmath>

#include "flexmodel/vertex_normals.h"

inline int ReferenceNearestNormal(double x, double y, double z) {
    const double length = std::sqrt(x * x + y * y + z * z);
    if (length > 0.0 && std::isfinite(length)) {
        x = static_cast<float>(x / length);
        y = static_cast<float>(y / length);
        z = static_cast<float>(z / length);
    }
    double best = 100.0;
    int bestIndex = 0;
    for (int i = 0; i < ::flexmodel::NUM_VERTEX_NORMALS; ++i) {
        const auto& n = ::flexmodel::VERTEX_NORMALS[i];
        const double dx = x - n[0], dy = y - n[1], dz = z - n[2];
        const double distance = std::sqrt(dx * dx + dy * dy + dz * dz);
        if (distance < best) {
            best = distance;
            bestIndex = i;
        }
    }
    return bestIndex;
}
