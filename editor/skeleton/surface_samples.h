#pragma once
// Points spread evenly over a mesh's surface, so that measurements made on slices of a mesh do
// not depend on how finely each part happens to be tessellated.

#include <array>
#include <vector>

#include "scene/vector.h"

namespace editor::skeleton {

using namespace ::scene;

struct Point3 {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
};

using Triangle3 = std::array<Point3, 3>;

Point3 ToPoint(const Vector& v);
Vector ToVector(const Point3& p);

double SurfaceArea(const std::vector<Triangle3>& triangles);

// About `target` points over the whole surface (at least the centre of every triangle with an
// area), placed the same way on every run.
std::vector<Point3> SampleSurface(const std::vector<Triangle3>& triangles, int target);

}  // namespace editor::skeleton
