#include "editor/skeleton/drag_math.h"

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

}  // namespace editor::skeleton
