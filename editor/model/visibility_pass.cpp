#include "editor/model/visibility_pass.h"

#include "editor/model/mesh_data.h"
#include "editor/model/occluder_grid.h"
#include "editor/model/triangle_adjacency.h"
#include "editor/model/winding.h"

namespace editor::model {

const Vector VISIBILITY_VIEWPOINTS[VISIBILITY_VIEWPOINT_COUNT] = {
    Vector(-10000, -10000, -10000), Vector(-10000, -10000, 10000), Vector(-10000, 10000, -10000),
    Vector(-10000, 10000, 10000),   Vector(10000, -10000, -10000), Vector(10000, -10000, 10000),
    Vector(10000, 10000, -10000),   Vector(10000, 10000, 10000),
};

namespace {

// Enough for every edge of a triangle to be shared twice over.
constexpr int NEIGHBOUR_CAPACITY = 6;

bool IsOccluded(const OccluderGrid& grid, const TriangleRecord* records, int t,
                const SightLine& line, const TriangleSet& remaining, bool onlyRemainingOcclude) {
    bool occluded = false;
    grid.ForEachCandidate(line.direction, [&](int s) {
        if (occluded || s == t || (onlyRemainingOcclude && !remaining.Test(s))) {
            return;
        }
        occluded = BlocksSightLine(records[s], line);
    });
    return occluded;
}

// One scan over the remaining triangles; true when it reversed at least one.
bool ScanVisible(MeshData& mesh, const Vector& viewpoint, const OccluderGrid& grid,
                 TriangleRecord* records, TriangleSet& remaining, bool onlyRemainingOcclude) {
    bool reversed = false;
    const int count = mesh.TriangleCount();
    remaining.ForEachSet(
        [&](int t) {
            const SightLine line = SightLineTo(viewpoint, records[t]);
            if (IsOccluded(grid, records, t, line, remaining, onlyRemainingOcclude)) {
                return;
            }
            const double facing =
                records[t].normal.Dot(Vector::Subtract(viewpoint, records[t].centre));
            if (facing < 0.0) {
                ReverseWinding(mesh, t, &records[t]);
                reversed = true;
            }
            // A triangle seen exactly edge-on cannot tell which way it faces.
            if (facing != 0.0) {
                remaining.ClearBit(t);
            }
        },
        count);
    return reversed;
}

int RemainingCount(const MeshData& mesh, const TriangleSet& remaining) {
    int count = 0;
    remaining.ForEachSet([&count](int) { ++count; }, mesh.TriangleCount());
    return count;
}

// Spreads the winding of every oriented triangle to its remaining neighbours until nothing
// more is reached.
void SpreadFromOriented(MeshData& mesh, const TriangleAdjacency& adjacency, TriangleRecord* records,
                        TriangleSet& remaining) {
    bool changed = true;
    while (changed) {
        changed = false;
        for (int t = 0; t < mesh.TriangleCount(); ++t) {
            if (!remaining.Test(t) &&
                OrientNeighbours(mesh, adjacency, t, remaining, records) != 0) {
                changed = true;
            }
        }
    }
}

// Spreads into each remaining triangle from its first oriented edge neighbour until nothing
// more is reached.
void SpreadIntoRemaining(MeshData& mesh, const TriangleAdjacency& adjacency,
                         TriangleRecord* records, TriangleSet& remaining) {
    bool changed = true;
    while (changed) {
        changed = false;
        for (int t = 0; t < mesh.TriangleCount(); ++t) {
            if (!remaining.Test(t)) {
                continue;
            }
            int neighbours[NEIGHBOUR_CAPACITY];
            const int found =
                TriangleNeighbours(mesh, adjacency, t, neighbours, NEIGHBOUR_CAPACITY);
            for (int i = 0; i < found && i < NEIGHBOUR_CAPACITY; ++i) {
                if (!remaining.Test(neighbours[i])) {
                    if (OrientNeighbours(mesh, adjacency, neighbours[i], remaining, records)) {
                        changed = true;
                    }
                    break;
                }
            }
        }
    }
}

int LowestRemaining(const MeshData& mesh, const TriangleSet& remaining) {
    for (int t = 0; t < mesh.TriangleCount(); ++t) {
        if (remaining.Test(t)) {
            return t;
        }
    }
    return -1;
}

}  // namespace

SightLine SightLineTo(const Vector& viewpoint, const TriangleRecord& target) {
    SightLine line;
    line.origin = viewpoint;
    line.direction = Vector::Subtract(target.centre, viewpoint);
    line.length = line.direction.Length();
    line.direction.Normalize();
    return line;
}

bool BlocksSightLine(const TriangleRecord& record, const SightLine& line) {
    Vector hit;
    return RayHitsTriangle(record, line.origin, line.direction, hit) &&
           Vector::Subtract(hit, line.origin).Length() < line.length;
}

int OrientVisibleTriangles(MeshData& mesh, const Vector& viewpoint, TriangleRecord* records,
                           TriangleSet& remaining, bool onlyRemainingOcclude) {
    // Reversing a triangle keeps its corners, so one grid serves every scan.
    const OccluderGrid grid(mesh, viewpoint);
    while (ScanVisible(mesh, viewpoint, grid, records, remaining, onlyRemainingOcclude)) {
    }
    return RemainingCount(mesh, remaining);
}

bool OrientByVisibility(MeshData& mesh) {
    std::unique_ptr<TriangleRecord[]> records = BuildTriangleRecords(mesh);
    if (!records) {
        return false;
    }
    const TriangleAdjacency adjacency(mesh);
    TriangleSet remaining;
    remaining.SetRange(0, mesh.TriangleCount());
    int left = RemainingCount(mesh, remaining);
    for (const Vector& viewpoint : VISIBILITY_VIEWPOINTS) {
        if (left == 0) {
            break;
        }
        OrientVisibleTriangles(mesh, viewpoint, records.get(), remaining, false);
        SpreadFromOriented(mesh, adjacency, records.get(), remaining);
        left = RemainingCount(mesh, remaining);
    }
    while (left > 0) {
        const int before = left;
        left =
            OrientVisibleTriangles(mesh, VISIBILITY_VIEWPOINTS[0], records.get(), remaining, true);
        if (left == before) {
            remaining.ClearBit(LowestRemaining(mesh, remaining));
        }
        SpreadIntoRemaining(mesh, adjacency, records.get(), remaining);
        left = RemainingCount(mesh, remaining);
    }
    return true;
}

}  // namespace editor::model
