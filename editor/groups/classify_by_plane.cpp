#include "editor/groups/classify_by_plane.h"

#include "editor/groups/group_display.h"
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
    ForEachRun(source, mesh.TriangleCount(), [&](int first, int count) {
        for (int t = first; t < first + count; ++t) {
            int corners[3];
            if (!mesh.GetTriangle(t, corners[0], corners[1], corners[2])) {
                continue;
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
        }
    });
    return sides;
}

}  // namespace editor::groups
