#pragma once
// Fitting the player skeleton into a standing humanoid mesh: the legs are found as two columns
// in horizontal slices of the surface, the spine and head on the body's axis above them, and
// each arm as the reach of the surface beside a shoulder. Joints without a body part follow
// their parents. Everything is in display space: +Z up, -X forward, +Y the skeleton's left.

#include <array>
#include <optional>
#include <vector>

#include "editor/model/skeleton_tables.h"
#include "editor/skeleton/surface_samples.h"

namespace editor::skeleton {

using namespace ::editor::model;

using JointPositions = std::array<Point3, NUM_JOINTS>;

enum class SkeletonFitFailure {
    None,
    NoSurface,  // no triangle with an area
    LyingDown,  // far wider than tall
    NoLegs,     // no two columns at the bottom
};

struct SkeletonFit {
    SkeletonFitFailure failure = SkeletonFitFailure::None;
    JointPositions joints{};
};

// Where a standing humanoid's body is: the floor under its feet, the top of its head (not of a
// hat brim, wings or a raised weapon beside it) and the middle of its trunk above the hips.
struct BodyMeasure {
    double floor = 0.0;
    double headTop = 0.0;
    double middleX = 0.0;
    double middleY = 0.0;
};
// Nothing when the mesh is not a standing humanoid (for the reasons FitSkeleton gives).
std::optional<BodyMeasure> MeasureBody(const std::vector<Triangle3>& triangles);

// The joints for the mesh, from the skeleton as it stands now (`current`, whose joints without
// a body part are carried along).
SkeletonFit FitSkeleton(const std::vector<Triangle3>& triangles, const JointPositions& current);

}  // namespace editor::skeleton
