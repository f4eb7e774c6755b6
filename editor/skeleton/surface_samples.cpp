#include "editor/skeleton/surface_samples.h"

#include <algorithm>
#include <cmath>

namespace editor::skeleton {

namespace {

double Area(const Triangle3& t) {
    const double ux = t[1].x - t[0].x, uy = t[1].y - t[0].y, uz = t[1].z - t[0].z;
    const double vx = t[2].x - t[0].x, vy = t[2].y - t[0].y, vz = t[2].z - t[0].z;
    const double cx = uy * vz - uz * vy, cy = uz * vx - ux * vz, cz = ux * vy - uy * vx;
    return 0.5 * std::sqrt(cx * cx + cy * cy + cz * cz);
}

Point3 At(const Triangle3& t, double a, double b) {
    const double c = 1.0 - a - b;
    return {a * t[0].x + b * t[1].x + c * t[2].x, a * t[0].y + b * t[1].y + c * t[2].y,
            a * t[0].z + b * t[1].z + c * t[2].z};
}

// A triangular grid of `rows` rows over the triangle: rows * rows points at the centres of its
// small triangles.
void AddGrid(const Triangle3& t, int rows, std::vector<Point3>& out) {
    const double step = 1.0 / rows;
    for (int i = 0; i < rows; ++i) {
        for (int j = 0; i + j < rows; ++j) {
            out.push_back(At(t, (i + 1.0 / 3.0) * step, (j + 1.0 / 3.0) * step));
            if (i + j + 1 < rows) {
                out.push_back(At(t, (i + 2.0 / 3.0) * step, (j + 2.0 / 3.0) * step));
            }
        }
    }
}

}  // namespace

Point3 ToPoint(const Vector& v) {
    return {v.x, v.y, v.z};
}

Vector ToVector(const Point3& p) {
    return Vector(p.x, p.y, p.z);
}

double SurfaceArea(const std::vector<Triangle3>& triangles) {
    double total = 0.0;
    for (const Triangle3& t : triangles) {
        total += Area(t);
    }
    return total;
}

std::vector<Point3> SampleSurface(const std::vector<Triangle3>& triangles, int target) {
    const double total = SurfaceArea(triangles);
    std::vector<Point3> points;
    if (!(total > 0.0) || target <= 0) {
        return points;
    }
    const double perPoint = total / target;
    for (const Triangle3& t : triangles) {
        const double area = Area(t);
        if (!(area > 0.0)) {
            continue;
        }
        // rows * rows grid points cover the triangle at the requested density.
        const int rows =
            std::clamp(static_cast<int>(std::lround(std::sqrt(area / perPoint))), 1, 64);
        AddGrid(t, rows, points);
    }
    return points;
}

}  // namespace editor::skeleton
