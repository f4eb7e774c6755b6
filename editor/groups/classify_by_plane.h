#pragma once

#include "editor/model/fixed_bit_sets.h"
#include "editor/model/forward.h"
#include "scene/vector.h"

namespace editor::groups {

using namespace ::editor::model;
using namespace ::scene;

// Corners closer to the plane than this count as lying on it.
inline constexpr double PLANE_TOLERANCE = 0.000001;

struct PlaneSides {
    TriangleSet front;
    TriangleSet back;
    TriangleSet straddling;
};

// Sorts the triangles of source by the plane through point with the given normal: front when no
// corner is behind it, back when some corner is behind and none in front, straddling when
// corners lie on both sides or every corner lies on the plane. Triangles the mesh does not hold
// are left out.
PlaneSides ClassifyByPlane(const MeshData& mesh, const TriangleSet& source, const Vector& point,
                           const Vector& normal);

}  // namespace editor::groups
