#include "tests/editor/groups/guess_reference.h"

#include <memory>
#include <vector>

#include "editor/model/mesh_data.h"
#include "editor/model/triangle_record.h"

using namespace ::editor::model;

namespace {

TriangleSet GuessBoneTrianglesReference(const MeshData& mesh, const GuessSkeleton& skeleton,
                                        int bone, const TriangleSet& allowed) {
    const BonePlanes planes = BoneCuttingPlanes(skeleton, bone);
    const TriangleSet candidates = CandidateTriangles(mesh, planes, allowed);
    TriangleSet kept;
    if (!candidates.Any()) {
        return kept;
    }
    const int count = mesh.TriangleCount();
    std::unique_ptr<TriangleRecord[]> records = BuildTriangleRecords(mesh);
    const Vector& m = planes.midpoint;
    for (int t = 0; t < count; ++t) {
        if (!candidates.Test(t)) {
            continue;
        }
        Vector dir = Vector::Subtract(records[t].centre, m);
        dir.Normalize();
        double best = FARTHEST_HIT;
        int bestTriangle = -1;
        for (int u = 0; u < count; ++u) {
            Vector hit;
            if (!RayHitsTriangle(records[u], m, dir, hit)) {
                continue;
            }
            const double distance = Vector::Subtract(hit, m).Length();
            if (distance < best || (bestTriangle != t && distance == best)) {
                best = distance;
                bestTriangle = u;
            }
        }
        if (bestTriangle == t &&
            records[t].normal.Dot(Vector::Subtract(m, records[t].centre)) < 0.0) {
            kept.SetBit(t);
        }
    }
    return kept;
}

// Every triangle's edge neighbours, found once.
using NeighbourTable = std::vector<std::vector<int>>;

NeighbourTable AllEdgeNeighbours(const MeshData& mesh) {
    NeighbourTable table(mesh.TriangleCount());
    for (int t = 0; t < mesh.TriangleCount(); ++t) {
        int neighbours[MAX_EDGE_NEIGHBOURS];
        table[t].assign(neighbours, neighbours + EdgeNeighboursReference(mesh, t, neighbours));
    }
    return table;
}

int FindGrowthTriangleReference(const NeighbourTable& neighbours, const BoneBindings& bindings,
                                const TriangleSet& assigned, const TriangleSet& unassigned,
                                int bone) {
    for (int t = 0; t < static_cast<int>(neighbours.size()); ++t) {
        if (!unassigned.Test(t)) {
            continue;
        }
        int changes = 0;
        int met = -1;
        for (int neighbour : neighbours[t]) {
            if (!assigned.Test(neighbour)) {
                continue;
            }
            for (int b = 0; b < NUM_BONES; ++b) {
                if (bindings[b].Test(neighbour)) {
                    if (b != met) {
                        ++changes;
                    }
                    met = b;
                }
            }
        }
        if (changes == 1 && met == bone) {
            return t;
        }
    }
    return -1;
}

}  // namespace

int EdgeNeighboursReference(const MeshData& mesh, int t, int out[MAX_EDGE_NEIGHBOURS]) {
    int corners[3];
    if (!mesh.GetTriangle(t, corners[0], corners[1], corners[2])) {
        return 0;
    }
    int found = 0;
    for (int k = 0; k < 3; ++k) {
        const int p = corners[k];
        const int q = corners[(k + 1) % 3];
        for (int e = 0; e < mesh.EdgeCount(); ++e) {
            int a = 0, b = 0;
            mesh.GetEdge(e, a, b);
            if (e / 3 != t && ((a == p && b == q) || (a == q && b == p))) {
                out[found++] = e / 3;
                if (found == MAX_EDGE_NEIGHBOURS) {
                    return found;
                }
            }
        }
    }
    return found;
}

void GuessBindingsReference(const MeshData& mesh, const GuessSkeleton& skeleton,
                            const TriangleSet& assignable, BoneBindings& bindings,
                            std::vector<int>& statusBones) {
    TriangleSet unassigned = assignable;
    for (int bone = 0; bone < NUM_BONES; ++bone) {
        if (skeleton.eligible[bone]) {
            const TriangleSet seen = GuessBoneTrianglesReference(mesh, skeleton, bone, unassigned);
            unassigned.AndNot(seen);
            bindings[bone] = seen;
        }
    }
    const NeighbourTable neighbours = AllEdgeNeighbours(mesh);
    TriangleSet assigned;
    for (const TriangleSet& set : bindings) {
        assigned.Or(set);
    }
    bool done[NUM_BONES] = {};
    for (bool changed = true; changed;) {
        changed = false;
        for (int bone = 0; bone < NUM_BONES; ++bone) {
            if (!skeleton.eligible[bone] || done[bone]) {
                continue;
            }
            statusBones.push_back(bone);
            const int t =
                FindGrowthTriangleReference(neighbours, bindings, assigned, unassigned, bone);
            if (t < 0) {
                done[bone] = true;
                continue;
            }
            bindings[bone].SetBit(t);
            assigned.SetBit(t);
            unassigned.ClearBit(t);
            changed = true;
        }
    }
}
