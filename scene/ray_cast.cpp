#include "scene/ray_cast.h"

#include <cmath>

#include "scene/frame.h"
#include "scene/mesh.h"
#include "scene/shape.h"

namespace scene {

bool RayHitsTriangle(const Vector& origin, const Vector& direction, const Vector& a,
                     const Vector& b, const Vector& c, double& t) {
    // Moller-Trumbore, in double precision.
    double e1[3] = {double(b.x) - a.x, double(b.y) - a.y, double(b.z) - a.z};
    double e2[3] = {double(c.x) - a.x, double(c.y) - a.y, double(c.z) - a.z};
    double d[3] = {direction.x, direction.y, direction.z};
    double p[3] = {d[1] * e2[2] - d[2] * e2[1], d[2] * e2[0] - d[0] * e2[2],
                   d[0] * e2[1] - d[1] * e2[0]};
    double det = e1[0] * p[0] + e1[1] * p[1] + e1[2] * p[2];
    if (det == 0.0) {
        return false;
    }
    double inv = 1.0 / det;
    double s[3] = {double(origin.x) - a.x, double(origin.y) - a.y, double(origin.z) - a.z};
    double u = (s[0] * p[0] + s[1] * p[1] + s[2] * p[2]) * inv;
    if (u < 0.0 || u > 1.0) {
        return false;
    }
    double q[3] = {s[1] * e1[2] - s[2] * e1[1], s[2] * e1[0] - s[0] * e1[2],
                   s[0] * e1[1] - s[1] * e1[0]};
    double v = (d[0] * q[0] + d[1] * q[1] + d[2] * q[2]) * inv;
    if (v < 0.0 || u + v > 1.0) {
        return false;
    }
    t = (e2[0] * q[0] + e2[1] * q[1] + e2[2] * q[2]) * inv;
    return t > 0.0;
}

int NearestFaceOnRay(const C3dMesh& mesh, const Vector& origin, const Vector& direction,
                     double nearest, double farthest, double& t) {
    const std::vector<Vector>& vertices = mesh.Vertices();
    int best = -1;
    for (int f = 0; f < mesh.GetFaceCount(); ++f) {
        std::span<const int> corners = mesh.FaceVertices(f);
        // Faces with more corners are fans about their first corner.
        for (size_t k = 1; k + 1 < corners.size(); ++k) {
            double hit;
            if (RayHitsTriangle(origin, direction, vertices[corners[0]], vertices[corners[k]],
                                vertices[corners[k + 1]], hit) &&
                hit >= nearest && hit <= farthest && (best < 0 || hit < t)) {
                best = f;
                t = hit;
            }
        }
    }
    return best;
}

namespace {

void CollectFrom(const C3dFrame& frame, const C3dMatrix& parentWorld, const C3dRay& ray,
                 double nearest, double farthest, std::vector<C3dPickHit>& hits) {
    if (!frame.IsVisible()) {
        return;
    }
    C3dMatrix world = parentWorld * frame.GetTransform();
    auto* shape = dynamic_cast<const C3dShape*>(&frame);
    C3dMatrix toLocal;
    if (shape && shape->GetVisual() && world.Inverse(toLocal)) {
        // The local direction is not normalised, so t stays a world distance.
        Vector origin = toLocal.Transform(ray.origin);
        Vector direction = toLocal.TransformDirection(ray.direction);
        double t = 0.0;
        int face = NearestFaceOnRay(*shape->GetVisual(), origin, direction, nearest, farthest, t);
        if (face >= 0) {
            C3dPickHit hit;
            hit.shape = const_cast<C3dShape*>(shape);
            hit.face = face;
            hit.distance = t;
            hit.point = Vector::Add(ray.origin, Vector::Scaled(ray.direction, t));
            hits.push_back(hit);
        }
    }
    for (const C3dFrame* child : frame.GetChildren()) {
        CollectFrom(*child, world, ray, nearest, farthest, hits);
    }
}

}  // namespace

void CollectRayHits(const C3dFrame& root, const C3dRay& ray, double nearest, double farthest,
                    std::vector<C3dPickHit>& hits) {
    C3dMatrix parentWorld;
    if (root.GetParent()) {
        parentWorld = root.GetParent()->GetWorldTransform();
    }
    CollectFrom(root, parentWorld, ray, nearest, farthest, hits);
}

}  // namespace scene
