#include "editor/io/nearest_normal.h"

#include <cmath>

#include "flexmodel/vertex_normals.h"

namespace editor::io {

using namespace ::flexmodel;

int NearestVertexNormal(double x, double y, double z) {
    const double length = std::sqrt(x * x + y * y + z * z);
    if (length > 0.0 && std::isfinite(length)) {
        x = static_cast<float>(x / length);
        y = static_cast<float>(y / length);
        z = static_cast<float>(z / length);
    }
    // Unit vectors are never 100 apart, so this only means "nothing found yet".
    double best = 100.0;
    int bestIndex = 0;
    for (int i = 0; i < NUM_VERTEX_NORMALS; ++i) {
        const auto& n = VERTEX_NORMALS[i];
        const double dx = x - n[0], dy = y - n[1], dz = z - n[2];
        const double distance = std::sqrt(dx * dx + dy * dy + dz * dz);
        if (distance < best) {
            best = distance;
            bestIndex = i;
        }
    }
    return bestIndex;
}

}  // namespace editor::io
