#pragma once

namespace editor::skeleton {

// The program's own turn constants; they differ slightly from 2*pi and pi/2, and stored poses
// were computed with them.
constexpr double FULL_TURN = 6.2831853676;
constexpr double QUARTER_TURN = 1.5707963419;
constexpr double DEGREES_PER_RADIAN = 57.29577896211423;

// atan2 in [0, FULL_TURN); 0 for the zero vector.
double atan2p(double y, double x);
// Brings an angle into (-FULL_TURN, FULL_TURN).
double WrapAngle(double angle);

}  // namespace editor::skeleton
