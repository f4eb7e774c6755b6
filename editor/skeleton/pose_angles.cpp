#include "editor/skeleton/pose_angles.h"

#include <cmath>

namespace editor::skeleton {

double atan2p(double y, double x) {
    if (x == 0.0 && y == 0.0) {
        return 0.0;
    }
    double angle = std::atan2(y, x);
    if (angle < 0.0) {
        angle += FULL_TURN;
    }
    return angle;
}

double WrapAngle(double angle) {
    if (!std::isfinite(angle)) {
        return angle;  // the loops below would never end
    }
    if (std::fabs(angle) > 1.0e6 * FULL_TURN) {
        angle = std::fmod(angle, FULL_TURN);  // subtracting one turn at a time would take ages
    }
    while (angle >= FULL_TURN) {
        angle -= FULL_TURN;
    }
    while (angle <= -FULL_TURN) {
        angle += FULL_TURN;
    }
    return angle;
}

}  // namespace editor::skeleton
