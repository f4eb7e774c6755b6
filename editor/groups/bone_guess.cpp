#include "editor/groups/bone_guess.h"

#include <bit>
#include <cstdint>
#include <span>
#include <vector>

#include "editor/groups/triangle_ray_index.h"
#include "editor/model/fixed_bit_sets.h"
#include "editor/model/mesh_data.h"
#include "editor/model/triangle_adjacency.h"

namespace editor::groups {

using namespace ::editor::model;
using namespace ::scene;

namespace {

Vector Unit(Vector v) {
    v.Normalize();
    return v;
}

// The plane through joint halving the angle between the directions to towards and to other.
CuttingPlane Bisector(const Vector& joint, const Vector& towards, const Vector& other) {
    const Vector u1 = Unit(Vector::Subtract(towards, joint));
    const Vector u2 = Unit(Vector::Subtract(other, joint));
    return CuttingPlane{joint, Unit(Vector::Subtract(u1, u2)), 0.0};
}

bool OnBoneSide(const BonePlanes& planes, const Vector& point) {
    for (int k = 0; k < planes.count; ++k) {
        const CuttingPlane& plane = planes.planes[k];
        if (plane.normal.Dot(Vector::Subtract(point, plane.point)) * plane.side < 0.0) {
            return false;
        }
    }
    return true;
}

// The first pass for one bone: the candidates it keeps.
TriangleSet SeenTriangles(const MeshData& mesh, const GuessSkeleton& skeleton, int bone,
                          const TriangleSet& allowed, std::span<const TriangleRecord> records,
                          const TriangleRayIndex& index) {
    const BonePlanes planes = BoneCuttingPlanes(skeleton, bone);
    const TriangleSet candidates = CandidateTriangles(mesh, planes, allowed);
    TriangleSet kept;
    candidates.ForEachSet(
        [&](int t) {
            Vector direction;
            double distance = 0.0;
            if (RayToFacingAway(records[t], planes.midpoint, direction, distance) &&
                !index.HitNearer(planes.midpoint, direction, distance, t)) {
                kept.SetBit(t);
            }
        },
        static_cast<int>(records.size()));
    return kept;
}

// Growth into the unassigned triangles. A triangle can grow into bone X when every edge
// neighbour bound to any bone is bound to X alone, and at least one is. Instead of scanning the
// unassigned triangles for every bone in every round, each bone keeps the set of triangles that
// can grow into it, updated around each triangle as it is bound.
class Growth {
  public:
    Growth(const MeshData& mesh, const TriangleSet& unassigned, const BoneBindings& bindings)
        : count_(mesh.TriangleCount()),
          neighbours_(count_),
          users_(count_),
          boneCount_(count_, 0),
          owner_(count_, NO_BONE),
          growsInto_(count_, NO_BONE),
          unassigned_(count_, false) {
        const TriangleAdjacency adjacency(mesh);
        for (int t = 0; t < count_; ++t) {
            int list[MAX_EDGE_NEIGHBOURS];
            const int n = EdgeNeighboursFrom(mesh, adjacency, t, list);
            neighbours_[t].assign(list, list + n);
            for (int s : neighbours_[t]) {
                users_[s].push_back(t);
            }
            unassigned_[t] = unassigned.Test(t);
            for (int bone = 0; bone < NUM_BONES; ++bone) {
                if (bindings[bone].Test(t)) {
                    ++boneCount_[t];
                    owner_[t] = bone;
                }
            }
        }
        for (int t = 0; t < count_; ++t) {
            Update(t);
        }
    }

    // The lowest unassigned triangle that can grow into bone; -1 when none.
    int Next(int bone) const {
        const std::vector<uint64_t>& words = candidates_[bone];
        for (std::size_t w = 0; w < words.size(); ++w) {
            if (words[w] != 0) {
                return static_cast<int>(w * 64 + std::countr_zero(words[w]));
            }
        }
        return -1;
    }

    void Bind(int t, int bone) {
        unassigned_[t] = false;
        Update(t);
        ++boneCount_[t];
        owner_[t] = bone;
        for (int user : users_[t]) {
            Update(user);
        }
    }

    static int EdgeNeighboursFrom(const MeshData& mesh, const TriangleAdjacency& adjacency, int t,
                                  int out[MAX_EDGE_NEIGHBOURS]);

  private:
    void Mark(int t, int bone, bool on) {
        if (bone == NO_BONE) {
            return;
        }
        std::vector<uint64_t>& words = candidates_[bone];
        if (words.empty()) {
            words.assign((count_ + 63) / 64, 0);
        }
        const uint64_t bit = uint64_t{1} << (t % 64);
        words[t / 64] = on ? (words[t / 64] | bit) : (words[t / 64] & ~bit);
    }

    int GrowsInto(int t) const {
        int bone = NO_BONE;
        for (int s : neighbours_[t]) {
            if (boneCount_[s] == 0) {
                continue;
            }
            if (boneCount_[s] > 1 || (bone != NO_BONE && owner_[s] != bone)) {
                return NO_BONE;
            }
            bone = owner_[s];
        }
        return bone;
    }

    void Update(int t) {
        Mark(t, growsInto_[t], false);
        growsInto_[t] = GrowsInto(t);
        if (unassigned_[t]) {
            Mark(t, growsInto_[t], true);
        }
    }

    int count_;
    std::vector<std::vector<int>> neighbours_;
    // users_[s]: the triangles whose neighbour lists hold s.
    std::vector<std::vector<int>> users_;
    std::vector<int> boneCount_;
    std::vector<int> owner_;
    std::vector<int> growsInto_;
    std::vector<bool> unassigned_;
    std::vector<uint64_t> candidates_[NUM_BONES];
};

int Growth::EdgeNeighboursFrom(const MeshData& mesh, const TriangleAdjacency& adjacency, int t,
                               int out[MAX_EDGE_NEIGHBOURS]) {
    int corners[3];
    if (!mesh.GetTriangle(t, corners[0], corners[1], corners[2])) {
        return 0;
    }
    int found = 0;
    for (int k = 0; k < 3; ++k) {
        const int p = corners[k];
        const int q = corners[(k + 1) % 3];
        // Every edge joining p and q starts or ends at p; its triangle is listed at p.
        for (int u : adjacency.TrianglesAt(p)) {
            int other[3];
            if (u == t || !mesh.GetTriangle(u, other[0], other[1], other[2])) {
                continue;
            }
            for (int e = 0; e < 3; ++e) {
                const int a = other[e];
                const int b = other[(e + 1) % 3];
                if ((a == p && b == q) || (a == q && b == p)) {
                    out[found++] = u;
                    if (found == MAX_EDGE_NEIGHBOURS) {
                        return found;
                    }
                }
            }
        }
    }
    return found;
}

}  // namespace

BonePlanes BoneCuttingPlanes(const GuessSkeleton& skeleton, int bone) {
    BonePlanes result;
    int a = 0, b = 0;
    if (!BoneJointIndices(bone, a, b)) {
        return result;
    }
    const Vector& start = skeleton.joints[a];
    const Vector& end = skeleton.joints[b];
    result.midpoint = Vector::Scaled(Vector::Add(start, end), 0.5);
    auto add = [&](const CuttingPlane& plane) {
        if (result.count < MAX_CUTTING_PLANES) {
            result.planes[result.count++] = plane;
        }
    };
    bool hasChild = false;
    for (int j = 0; j < NUM_BONES; ++j) {
        int js = 0, je = 0;
        if (j != bone && skeleton.eligible[j] && BoneJointIndices(j, js, je) && js == b) {
            add(Bisector(end, start, skeleton.joints[je]));
            hasChild = true;
        }
    }
    if (!hasChild) {
        const Vector reach = Vector::Subtract(end, start);
        add(CuttingPlane{Vector::Add(start, Vector::Scaled(reach, CAP_PLANE_REACH)), Unit(reach),
                         0.0});
    }
    for (int j = 0; j < NUM_BONES; ++j) {
        int js = 0, je = 0;
        if (j == bone || !skeleton.eligible[j] || !BoneJointIndices(j, js, je)) {
            continue;
        }
        if (js == a) {
            add(Bisector(start, end, skeleton.joints[je]));
        } else if (je == a) {
            add(Bisector(start, end, skeleton.joints[js]));
        }
    }
    for (int k = 0; k < result.count; ++k) {
        CuttingPlane& plane = result.planes[k];
        plane.side = plane.normal.Dot(Vector::Subtract(result.midpoint, plane.point));
    }
    return result;
}

TriangleSet CandidateTriangles(const MeshData& mesh, const BonePlanes& planes,
                               const TriangleSet& allowed) {
    TriangleSet candidates;
    const int count = mesh.TriangleCount();
    for (int t = 0; t < count; ++t) {
        int corners[3];
        if (!allowed.Test(t) || !mesh.GetTriangle(t, corners[0], corners[1], corners[2])) {
            continue;
        }
        for (int k = 0; k < 3; ++k) {
            const Vector middle = Vector::Scaled(
                Vector::Add(mesh.vertices[corners[k]], mesh.vertices[corners[(k + 1) % 3]]), 0.5);
            if (OnBoneSide(planes, middle)) {
                candidates.SetBit(t);
                break;
            }
        }
    }
    return candidates;
}

bool RayToFacingAway(const TriangleRecord& record, const Vector& midpoint, Vector& direction,
                     double& distance) {
    if (!(record.normal.Dot(Vector::Subtract(midpoint, record.centre)) < 0.0)) {
        return false;
    }
    direction = Unit(Vector::Subtract(record.centre, midpoint));
    Vector hit;
    if (!RayHitsTriangle(record, midpoint, direction, hit)) {
        return false;
    }
    distance = Vector::Subtract(hit, midpoint).Length();
    return distance <= FARTHEST_HIT;
}

int EdgeNeighbours(const MeshData& mesh, int t, int out[MAX_EDGE_NEIGHBOURS]) {
    const TriangleAdjacency adjacency(mesh);
    return Growth::EdgeNeighboursFrom(mesh, adjacency, t, out);
}

void GuessBindings(const MeshData& mesh, const GuessSkeleton& skeleton,
                   const TriangleSet& assignable, BoneBindings& bindings,
                   const GrowthStatus& status) {
    TriangleSet unassigned = assignable;
    std::unique_ptr<TriangleRecord[]> records = BuildTriangleRecords(mesh);
    if (records == nullptr) {
        return;
    }
    const std::span<const TriangleRecord> recordSpan(records.get(), mesh.TriangleCount());
    const TriangleRayIndex index(recordSpan);
    for (int bone = 0; bone < NUM_BONES; ++bone) {
        if (!skeleton.eligible[bone]) {
            continue;
        }
        const TriangleSet seen = SeenTriangles(mesh, skeleton, bone, unassigned, recordSpan, index);
        unassigned.AndNot(seen);
        bindings[bone] = seen;
    }

    Growth growth(mesh, unassigned, bindings);
    bool done[NUM_BONES] = {};
    for (bool changed = true; changed;) {
        changed = false;
        for (int bone = 0; bone < NUM_BONES; ++bone) {
            if (!skeleton.eligible[bone] || done[bone]) {
                continue;
            }
            if (status) {
                status(bone);
            }
            const int t = growth.Next(bone);
            if (t < 0) {
                done[bone] = true;
                continue;
            }
            bindings[bone].SetBit(t);
            growth.Bind(t, bone);
            changed = true;
        }
    }
}

}  // namespace editor::groups
