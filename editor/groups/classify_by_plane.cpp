#include "editor/groups/classify_by_plane.h"

#include "editor/model/fixed_bit_sets.h"
#include "editor/model/mesh_data.h"

namespace editor::groups {

using namespace ::editor::model;
using namespace ::scene;

namespace {

int Side(const Vector& corner, const Vector& point, const Vector& normal) {
    const double d = normal.Dot(Vector::Subtract(corner, point));
    if (d <= -PLANE_TOLERANCE) {
        return -1;
    }
    return d >= PLANE_TOLERANCE ? 1 : 0;
}

}  // namespace

PlaneSides ClassifyByPlane(const MeshData& mesh, const TriangleSet& source, const Vector& point,
                           const Vector& normal) {
    PlaneSides sides;
    source.ForEachSet(
        [&](int t) {
            int corners[3];
            if (!mesh.GetTriangle(t, corners[0], corners[1], corners[2])) {
                return;
            }
            bool behind = false;
            bool inFront = false;
            for (int corner : corners) {
                const int side = Side(mesh.vertices[corner], point, normal);
                behind = behind || side < 0;
                inFront = inFront || side > 0;
            }
            if (!behind && inFront) {
                sides.front.SetBit(t);
            } else if (behind && !inFront) {
                sides.back.SetBit(t);
            } else {
                sides.straddling.SetBit(t);
            }
        },
        mesh.TriangleCount());
    return sides;
}

}  // namespace editor::groups
