#pragma once
// Rigid motions as unit dual quaternions. Blending them (weighted sum, then normalised) gives a
// rigid motion again, so a bent or twisted joint keeps its volume where a blend of the moved
// positions would collapse it.

#include "editor/model/pose_vector.h"

namespace editor::generate {

using namespace ::editor::model;

struct Quaternion {
    double w = 1.0;
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
};

struct DualQuaternion {
    Quaternion real;  // the rotation
    Quaternion dual;  // half the translation times the rotation

    // The empty sum that blends start from.
    static DualQuaternion Zero() { return {{0.0, 0.0, 0.0, 0.0}, {0.0, 0.0, 0.0, 0.0}}; }
    // The motion p -> rotation * p + translation.
    static DualQuaternion FromMotion(const Rotation3& rotation, const PoseVec& translation);

    // Adds weight times other, taking other's sign that lies nearer this sum (q and -q are the
    // same motion; the far one would cancel it).
    void AddWeighted(const DualQuaternion& other, double weight);
    // The blended motion applied to p (normalised first).
    PoseVec Transform(const PoseVec& p) const;
};

}  // namespace editor::generate
