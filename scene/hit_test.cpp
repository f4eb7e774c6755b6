// Which face of a shape lies under a view position, by projecting every face into the view.
#include <algorithm>
#include <vector>

#include "scene/shape.h"
#include "scene/viewport.h"

namespace scene {

namespace {

struct ProjectedFace {
    std::vector<double> x;
    std::vector<double> y;
    double meanDepth = 0.0;
};

// False when a corner lies on or behind the eye plane: such a face cannot be flattened into
// the view, and its mirrored projection would report hits that are not there.
bool ProjectFace(const C3dMesh& mesh, int face, const C3dMatrix& toView, ProjectedFace& out) {
    std::span<const int> corners = mesh.FaceVertices(face);
    out.x.clear();
    out.y.clear();
    double depthSum = 0.0;
    for (int v : corners) {
        const Vector& p = mesh.Vertices()[v];
        C3dVector4 h = toView.TransformHomogeneous(p.x, p.y, p.z);
        if (h.w <= 0.0) {
            return false;
        }
        out.x.push_back(h.x / h.w);
        out.y.push_back(h.y / h.w);
        depthSum += h.z / h.w;
    }
    out.meanDepth = depthSum / static_cast<double>(corners.size());
    return !corners.empty();
}

// Crossing-number test, so either winding counts.
bool PolygonContains(const ProjectedFace& polygon, double x, double y) {
    bool inside = false;
    size_t n = polygon.x.size();
    for (size_t i = 0, j = n - 1; i < n; j = i++) {
        double xi = polygon.x[i], yi = polygon.y[i], xj = polygon.x[j], yj = polygon.y[j];
        if ((yi > y) != (yj > y) && x < (xj - xi) * (y - yi) / (yj - yi) + xi) {
            inside = !inside;
        }
    }
    return inside;
}

bool ShapeUnder(const C3dViewport& view, double x, double y, const C3dShape* shape) {
    for (const C3dPickHit& hit : view.PickAll(x, y)) {
        if (hit.shape == shape) {
            return true;
        }
    }
    return false;
}

// The point of the face's plane on the view ray, in the shape's coordinates; when the plane
// runs along the ray, the point at the face's mean depth.
Vector PointOnFace(const C3dMesh& mesh, int face, const C3dMatrix& world, const C3dViewport& view,
                   double x, double y, double meanDepth) {
    C3dMatrix toLocal;
    world.Inverse(toLocal);
    C3dRay ray = view.GetRay(x, y);
    Vector origin = toLocal.Transform(ray.origin);
    Vector direction = toLocal.TransformDirection(ray.direction);
    const Vector& a = mesh.Vertices()[mesh.FaceVertices(face)[0]];
    Vector normal = mesh.FaceNormal(face);
    double along = normal.Dot(direction);
    if (along != 0.0) {
        double t = normal.Dot(Vector::Subtract(a, origin)) / along;
        return Vector::Add(origin, Vector::Scaled(direction, t));
    }
    Vector atDepth;
    view.InverseTransform(x, y, meanDepth, atDepth);
    return toLocal.Transform(atDepth);
}

}  // namespace

bool C3dShape::HitTest(double x, double y, const C3dViewport& view, int* face, Vector* point) {
    if (face) {
        *face = -1;
    }
    const C3dMesh* mesh = GetVisual();
    if (!mesh || mesh->GetFaceCount() == 0 || !ShapeUnder(view, x, y, this)) {
        return Fail(C3D_E_NOTFOUND);
    }
    C3dMatrix world = GetWorldTransform();
    C3dMatrix toView = view.GetProjectionMatrix() * view.GetViewMatrix() * world;
    int best = -1;
    double bestDepth = 0.0;
    ProjectedFace projected;
    for (int f = 0; f < mesh->GetFaceCount(); ++f) {
        if (ProjectFace(*mesh, f, toView, projected) && PolygonContains(projected, x, y) &&
            (best < 0 || projected.meanDepth < bestDepth)) {
            best = f;
            bestDepth = projected.meanDepth;
        }
    }
    if (face) {
        *face = best;
    }
    if (point && best >= 0) {
        *point = PointOnFace(*mesh, best, world, view, x, y, bestDepth);
    }
    return Succeed();
}

}  // namespace scene
