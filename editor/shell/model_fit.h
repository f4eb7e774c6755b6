#pragma once

#include <optional>
#include <string>

#include "editor/model/forward.h"
#include "scene/vector.h"

namespace editor::shell {

using namespace ::editor::model;
using namespace ::scene;

// A turn of the model by quarter turns: each new coordinate is one old coordinate, signed.
struct ModelTurn {
    int axis[3] = {0, 1, 2};  // new x, y, z from old axis ...
    int sign[3] = {1, 1, 1};  // ... times this
    std::string description;  // what was turned, for the status line; empty for no turn

    bool IsTurn() const { return !description.empty(); }
    Vector Apply(const Vector& v) const;
    // This turn after `first`.
    ModelTurn After(const ModelTurn& first) const;
};

// How to stand the model up and face it the skeleton's way (-X forward, +Z up) when it clearly
// is not: lying with its depth along Z (many exporters write +Y up), or standing facing another
// way, told by where the feet point. No turn when it is not clear.
ModelTurn UprightTurn(const MeshData& mesh);

// A turn, then a uniform scale about one point followed by a move: every vertex v becomes
// to + scale * (turn(v) - from).
struct UniformMove {
    ModelTurn turn;
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

// Turns the mesh upright (UprightTurn) and makes it as tall as the skeleton stands, its feet at
// the lowest toe's height and centred on the hip anchor across and front to back. A standing
// humanoid is sized by its feet and the top of its head and centred on its trunk; any other mesh
// by its bounds. Nothing when the mesh has no vertices, is flat or the skeleton has no height.
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
