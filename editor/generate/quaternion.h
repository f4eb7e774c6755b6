#pragma once
// Rotations as quaternions, for blending: a normalised weighted sum of rotations is a rotation
// again (part of the way from one to the other), where a weighted sum of rotated points would
// pull them towards the axis and collapse a bent joint.

#include "editor/model/pose_vector.h"

namespace editor::generate {

using namespace ::editor::model;

struct Quaternion {
    double w = 1.0;
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;

    static Quaternion Zero() { return {0.0, 0.0, 0.0, 0.0}; }
    static Quaternion FromRotation(const Rotation3& rotation);

    // Adds weight times other, taking the sign of other that lies nearer this sum (q and -q are
    // the same rotation; the far one would cancel it).
    void AddWeighted(const Quaternion& other, double weight);
    // The rotation of this (normalised) sum; the identity for a zero sum.
    Rotation3 ToRotation() const;
};

}  // namespace editor::generate
