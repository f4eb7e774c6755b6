#pragma once

#include <optional>
#include <string>

#include "editor/model/forward.h"
#include "scene/vector.h"

namespace editor::shell {

using namespace ::editor::model;
using namespace ::scene;

// A uniform scale about one point followed by a move: every vertex v becomes
// to + scale * (v - from).
struct UniformMove {
    double scale = 1.0;
    Vector from{0.0, 0.0, 0.0};
    Vector to{0.0, 0.0, 0.0};

    Vector Apply(const Vector& v) const;
};

// Where the skeleton stands, in scene coordinates (z is up): the height of its lowest toe joint,
// the height of the top of its head and the hip anchor.
struct SkeletonStance {
    double toeHeight = 0.0;
    double headHeight = 0.0;
    Vector hipAnchor{0.0, 0.0, 0.0};

    double StandingHeight() const { return headHeight - toeHeight; }
};

// The stance of the document's skeleton as its joint shapes show it; nothing when a joint it
// needs has no shape.
std::optional<SkeletonStance> StanceOf(const ModelDocument& document);

// Makes the mesh as tall as the skeleton stands, with its lowest point at the lowest toe's
// height and centred on the hip anchor across and front to back. Nothing when the mesh has no
// vertices, is flat or the skeleton has no height.
std::optional<UniformMove> FitToStance(const MeshData& mesh, const SkeletonStance& stance);

// Scales the mesh about the centre of its base (its lowest point, centred across and front to
// back), so that a model standing on the ground stays there.
std::optional<UniformMove> ScaleAboutBase(const MeshData& mesh, double scale);

// Applies the move to every vertex in use.
void ApplyToMesh(MeshData& mesh, const UniformMove& move);

// A percentage typed by the user ("50", "250%", " 12.5 "): the factor, or nothing when it is
// not a number above 0 and at most 100000.
std::optional<double> ParsePercentage(const std::string& text);

}  // namespace editor::shell
