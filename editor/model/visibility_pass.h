#pragma once
// Winding from visibility, for meshes that come without normals: a triangle seen unobstructed
// from a far viewpoint is turned to face that viewpoint, and the rest are made to agree with
// their oriented neighbours.

#include "editor/model/fixed_bit_sets.h"
#include "editor/model/triangle_record.h"

namespace editor::model {

class MeshData;

// The viewpoints, in the order the pass visits them.
inline constexpr int VISIBILITY_VIEWPOINT_COUNT = 8;
extern const Vector VISIBILITY_VIEWPOINTS[VISIBILITY_VIEWPOINT_COUNT];

// The sight line from a viewpoint to a triangle's centre.
struct SightLine {
    Vector origin;
    Vector direction;  // unit length
    double length = 0.0;
};
SightLine SightLineTo(const Vector& viewpoint, const TriangleRecord& target);
// True when the triangle of record blocks the sight line before it ends.
bool BlocksSightLine(const TriangleRecord& record, const SightLine& line);

// Turns every unoccluded triangle of `remaining` to face the viewpoint and takes it out of the
// set (one seen exactly edge-on stays), rescanning while a scan reversed something. Occluders
// are all other triangles, or only the other remaining ones. Returns the number left.
int OrientVisibleTriangles(MeshData& mesh, const Vector& viewpoint, TriangleRecord* records,
                           TriangleSet& remaining, bool onlyRemainingOcclude);

// The whole winding pass. False (mesh unchanged) when the records cannot be built.
bool OrientByVisibility(MeshData& mesh);

}  // namespace editor::model
