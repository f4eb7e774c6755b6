#include "editor/skeleton/drag_math.h"

namespace {
constexpr double RADIANS_PER_DEGREE = 0.01745329251994;

// (a, b) becomes (-b, a): a quarter turn of the screen axes.
void TurnPair(double& a, double& b) {
    double oldA = a;
    a = -b;
    b = oldA;
}
}  // namespace

SceneMotion MapDeviceToScene(const DeviceDemands& demands, int cameraView) {
    SceneMotion m{demands.z, demands.x, demands.y, demands.rz, demands.rx, demands.ry};
    switch (cameraView) {
        case CAMERA_REAR:
            m.dx = -m.dx;
            m.dy = -m.dy;
            m.rx = -m.rx;
            m.ry = -m.ry;
            break;
        case CAMERA_LEFT:
            TurnPair(m.dx, m.dy);
            TurnPair(m.rx, m.ry);
            break;
        case CAMERA_RIGHT:
            TurnPair(m.dy, m.dx);
            TurnPair(m.ry, m.rx);
            break;
        case CAMERA_TOP:
            TurnPair(m.dz, m.dx);
            TurnPair(m.rz, m.rx);
            break;
        case CAMERA_BOTTOM:
            TurnPair(m.dx, m.dz);
            TurnPair(m.rx, m.rz);
            break;
        default:  // front view and the camera itself
            break;
    }
    return m;
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

Rotation3 DragRotation(const SceneMotion& motion) {
    return RotationX(-3.0 * motion.rx * RADIANS_PER_DEGREE) *
           RotationY(-3.0 * motion.ry * RADIANS_PER_DEGREE) *
           RotationZ(-3.0 * motion.rz * RADIANS_PER_DEGREE);
}
