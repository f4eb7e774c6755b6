#include "editor/skeleton/drag_math.h"

#include <algorithm>
#include <cmath>

namespace editor::skeleton {

namespace {
constexpr double RADIANS_PER_DEGREE = 0.01745329251994;
constexpr int REAR_VIEW = 1;
constexpr int LEFT_VIEW = 2;
constexpr int RIGHT_VIEW = 3;
constexpr int TOP_VIEW = 4;
constexpr int BOTTOM_VIEW = 5;

// (a, b) becomes (-b, a): a quarter turn of the screen axes.
void TurnPair(double& a, double& b) {
    double oldA = a;
    a = -b;
    b = oldA;
}

double Dot(const PoseVec& a, const PoseVec& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
}  // namespace

SceneMotion MapDeviceToScene(const DeviceDemands& demands, int cameraView) {
    SceneMotion m{demands.z, demands.x, demands.y, demands.rz, demands.rx, demands.ry};
    switch (cameraView) {
        case REAR_VIEW:
            m.dx = -m.dx;
            m.dy = -m.dy;
            m.rx = -m.rx;
            m.ry = -m.ry;
            break;
        case LEFT_VIEW:
            TurnPair(m.dx, m.dy);
            TurnPair(m.rx, m.ry);
            break;
        case RIGHT_VIEW:
            TurnPair(m.dy, m.dx);
            TurnPair(m.ry, m.rx);
            break;
        case TOP_VIEW:
            TurnPair(m.dz, m.dx);
            TurnPair(m.rz, m.rx);
            break;
        case BOTTOM_VIEW:
            TurnPair(m.dx, m.dz);
            TurnPair(m.rx, m.rz);
            break;
        default:  // front view and the camera itself
            break;
    }
    return m;
}

double KeyboardStep(double raw, double previousRaw, double ramp) {
    if (raw == 0.0) {
        return 0.0;
    }
    const double sign = raw > 0.0 ? 1.0 : -1.0;
    if (previousRaw * sign <= 0.0) {
        return sign * KEY_TAP_STEP;
    }
    // Ramps are sums of `ramp`: allow for their rounding when telling one press from two.
    const double held = std::fabs(raw) - ramp;
    if (held <= ramp * 1e-6) {
        return 0.0;
    }
    return sign * std::min(held, KEY_TOP_SPEED);
}

PoseVec RigidDragPosition(const PoseVec& wanted, const PoseVec& parent, double length,
                          const PoseVec& current) {
    PoseVec offset = wanted - parent;
    double distance = Length(offset);
    if (distance == 0.0) {
        return current;
    }
    return parent + offset * (length / distance);
}

std::optional<PoseVec> RayPlanePoint(const PoseRay& ray, const PoseVec& point,
                                     const PoseVec& normal) {
    const double along = Dot(ray.direction, normal);
    if (along == 0.0) {
        return std::nullopt;
    }
    const double t = Dot(point - ray.origin, normal) / along;
    return ray.origin + ray.direction * t;
}

PoseVec RaySpherePoint(const PoseRay& ray, const PoseVec& centre, double radius,
                       const PoseVec& near) {
    const PoseVec direction = Normalized(ray.direction);
    const PoseVec toCentre = centre - ray.origin;
    const double closestT = Dot(toCentre, direction);
    const PoseVec closest = ray.origin + direction * closestT;
    const PoseVec offset = closest - centre;
    const double missSquared = Dot(offset, offset);
    const double radiusSquared = radius * radius;
    if (missSquared > radiusSquared) {
        const double miss = std::sqrt(missSquared);
        return centre + offset * (radius / miss);
    }
    const double half = std::sqrt(radiusSquared - missSquared);
    const PoseVec first = ray.origin + direction * (closestT - half);
    const PoseVec second = ray.origin + direction * (closestT + half);
    return Length(first - near) <= Length(second - near) ? first : second;
}

Rotation3 DragRotation(const SceneMotion& motion) {
    return RotationX(-3.0 * motion.rx * RADIANS_PER_DEGREE) *
           RotationY(-3.0 * motion.ry * RADIANS_PER_DEGREE) *
           RotationZ(-3.0 * motion.rz * RADIANS_PER_DEGREE);
}

}  // namespace editor::skeleton
