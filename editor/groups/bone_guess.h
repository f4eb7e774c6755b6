#pragma once
// Guessing which triangles move with which bone from where the skeleton stands in the mesh:
// first every eligible bone takes the triangles it sees first from its midpoint between its
// cutting planes, then bones grow one edge neighbour per round into what is left.

#include <functional>

#include "editor/groups/binding_file.h"
#include "editor/model/fixed_bit_sets.h"
#include "editor/model/forward.h"
#include "editor/model/skeleton_tables.h"
#include "editor/model/triangle_record.h"
#include "scene/vector.h"

namespace editor::groups {

using namespace ::editor::model;
using namespace ::scene;

inline constexpr int MAX_CUTTING_PLANES = 20;
inline constexpr int MAX_EDGE_NEIGHBOURS = 5;
// Hits at this distance from a bone's midpoint or farther are never taken.
inline constexpr double FARTHEST_HIT = 100000.0;
// A bone without an eligible child is cut off at this multiple of its length.
inline constexpr double CAP_PLANE_REACH = 1.33;

// The skeleton as the guess sees it: joint positions in scene coordinates and which bones take
// part.
struct GuessSkeleton {
    Vector joints[NUM_JOINTS];
    bool eligible[NUM_BONES] = {};
};

struct CuttingPlane {
    Vector point;
    Vector normal;
    // Which side of the plane the bone's midpoint is on (normal . (midpoint - point)).
    double side = 0.0;
};

struct BonePlanes {
    Vector midpoint;
    CuttingPlane planes[MAX_CUTTING_PLANES];
    int count = 0;
};

// The midpoint of the bone and its cutting planes: bisectors towards each eligible child (or a
// cap plane past its end when it has none) and towards each eligible bone at its start joint.
BonePlanes BoneCuttingPlanes(const GuessSkeleton& skeleton, int bone);
// The triangles of allowed with an edge whose midpoint lies on the midpoint's side of every
// plane (or on a plane).
TriangleSet CandidateTriangles(const MeshData& mesh, const BonePlanes& planes,
                               const TriangleSet& allowed);
// The ray from the midpoint towards the centre of a candidate's record: false when the
// candidate faces the midpoint, or its own ray test misses it or meets it at FARTHEST_HIT or
// beyond; otherwise direction and the distance of the hit.
bool RayToFacingAway(const TriangleRecord& record, const Vector& midpoint, Vector& direction,
                     double& distance);

// The triangles other than t sharing an edge with it, edge 0-1, 1-2, 2-0 then ascending; at most
// MAX_EDGE_NEIGHBOURS. Returns the count.
int EdgeNeighbours(const MeshData& mesh, int t, int out[MAX_EDGE_NEIGHBOURS]);

// Called before each growth step of a bone (the status line names the bone).
using GrowthStatus = std::function<void(int bone)>;

// The whole guess on a mesh already in scene coordinates: the triangles of assignable are shared
// out among the eligible bones, whose bound sets are replaced; other bones keep theirs.
void GuessBindings(const MeshData& mesh, const GuessSkeleton& skeleton,
                   const TriangleSet& assignable, BoneBindings& bindings,
                   const GrowthStatus& status);

}  // namespace editor::groups
