#pragma once
// The bones, joints, mesh node and group name that belong to each hand of the player skeleton.

#include <array>

namespace editor::hands {

struct HandSide {
    int forearmBone;
    int openHandBone;
    int closedHandBone;
    int wristJoint;
    int fingertipsJoint;
    int gripJoint;
    // Switched on so that the closed hand is drawn and exported.
    int closedHandMeshNode;
    const char* groupName;
};

inline constexpr HandSide LEFT_HAND{12, 13, 14, 13, 14, 15, 12, "LHC"};
inline constexpr HandSide RIGHT_HAND{18, 19, 20, 19, 20, 21, 7, "RHC"};
// Left first: its clone comes first in the mesh and its group first in the table.
inline constexpr std::array<HandSide, 2> HAND_SIDES{LEFT_HAND, RIGHT_HAND};

// The grip sits this far along the way from wrist to fingertips.
inline constexpr double GRIP_FRACTION = 0.75;

}  // namespace editor::hands
