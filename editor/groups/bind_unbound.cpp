#include "editor/groups/bind_unbound.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <queue>
#include <utility>
#include <vector>

#include "editor/groups/model_bindings.h"
#include "editor/model/model_document.h"
#include "editor/model/read_back_geometry.h"
#include "scene/scene.h"

namespace editor::groups {

using namespace ::editor::model;
using namespace ::scene;

namespace {

constexpr int kNoOwner = -1;
// Thighs, calves, feet, upper arms, forearms and hands.
constexpr int kLimbBones[] = {1, 2, 3, 5, 6, 7, 11, 12, 13, 14, 17, 18, 19, 20};
constexpr double kUnreached = 1e300;
// How much farther than the nearest eligible bone a triangle's bone may be.
constexpr double kFarther = 1.5;

double SegmentDistance(const Vector& p, const Vector& a, const Vector& b) {
    const Vector ab = Vector::Subtract(b, a);
    const Vector ap = Vector::Subtract(p, a);
    const double length2 = ab.Dot(ab);
    const double t = length2 > 0.0 ? std::clamp(ap.Dot(ab) / length2, 0.0, 1.0) : 0.0;
    return Vector::Subtract(ap, Vector::Scaled(ab, t)).Length();
}

double BoneDistance(const GuessSkeleton& skeleton, int bone, const Vector& p) {
    return SegmentDistance(p, skeleton.joints[boneTable[bone].startJoint],
                           skeleton.joints[boneTable[bone].endJoint]);
}

std::vector<int> EligibleBones(const GuessSkeleton& skeleton) {
    std::vector<int> eligible;
    for (int b = 0; b < NUM_BONES; ++b) {
        if (skeleton.eligible[b]) {
            eligible.push_back(b);
        }
    }
    return eligible;
}

// The bone of `bones` whose segment is nearest to p.
int NearestBone(const GuessSkeleton& skeleton, const std::vector<int>& bones, const Vector& p) {
    int nearest = bones.front();
    for (int b : bones) {
        if (BoneDistance(skeleton, b, p) < BoneDistance(skeleton, nearest, p)) {
            nearest = b;
        }
    }
    return nearest;
}

struct Surface {
    std::vector<Vector> centres;
    std::vector<double> areas;
    std::vector<std::vector<int>> neighbours;  // through shared edges
};

Surface SurfaceOf(const MeshData& mesh) {
    Surface surface;
    const int count = mesh.TriangleCount();
    surface.centres.assign(count, Vector(0.0, 0.0, 0.0));
    surface.areas.assign(count, 0.0);
    surface.neighbours.resize(count);
    std::vector<std::pair<uint32_t, int>> edges;
    int corner[3];
    for (int t = 0; t < count; ++t) {
        if (!mesh.GetTriangle(t, corner[0], corner[1], corner[2])) {
            continue;
        }
        const Vector& a = mesh.vertices[corner[0]];
        const Vector& b = mesh.vertices[corner[1]];
        const Vector& c = mesh.vertices[corner[2]];
        surface.centres[t] = Vector::Scaled(Vector::Add(Vector::Add(a, b), c), 1.0 / 3.0);
        surface.areas[t] =
            Vector::Cross(Vector::Subtract(b, a), Vector::Subtract(c, a)).Length() / 2.0;
        for (int e = 0; e < 3; ++e) {
            const auto [low, high] = std::minmax(corner[e], corner[(e + 1) % 3]);
            edges.emplace_back((static_cast<uint32_t>(low) << 16) | static_cast<uint32_t>(high), t);
        }
    }
    std::sort(edges.begin(), edges.end());
    for (size_t i = 0; i < edges.size();) {
        size_t j = i;
        while (j < edges.size() && edges[j].first == edges[i].first) {
            ++j;
        }
        for (size_t m = i; m < j; ++m) {
            for (size_t n = i; n < j; ++n) {
                if (m != n && edges[m].second != edges[n].second) {
                    surface.neighbours[edges[m].second].push_back(edges[n].second);
                }
            }
        }
        i = j;
    }
    return surface;
}

// Triangles bound to several bones keep the one whose segment is nearest; returns each
// triangle's bone (kNoOwner when unbound) and counts the settled ones.
std::vector<int> SettleOwners(const Surface& surface, const GuessSkeleton& skeleton,
                              BoneBindings& bindings, int& settled) {
    std::vector<int> owner(surface.centres.size(), kNoOwner);
    for (size_t t = 0; t < owner.size(); ++t) {
        std::vector<int> bones;
        for (int b = 0; b < NUM_BONES; ++b) {
            if (bindings[b].Test(static_cast<int>(t))) {
                bones.push_back(b);
            }
        }
        if (bones.empty()) {
            continue;
        }
        owner[t] = NearestBone(skeleton, bones, surface.centres[t]);
        if (bones.size() > 1) {
            ++settled;
            for (int b : bones) {
                if (b != owner[t]) {
                    bindings[b].ClearBit(static_cast<int>(t));
                }
            }
        }
    }
    return owner;
}

// Spreads the owners across shared edges, nearest first (distance between triangle centres).
void SpreadAcrossSurface(const Surface& surface, std::vector<int>& owner) {
    using Entry = std::pair<double, int>;
    std::priority_queue<Entry, std::vector<Entry>, std::greater<>> queue;
    std::vector<double> distance(owner.size(), 1e300);
    for (size_t t = 0; t < owner.size(); ++t) {
        if (owner[t] != kNoOwner) {
            distance[t] = 0.0;
            queue.emplace(0.0, static_cast<int>(t));
        }
    }
    while (!queue.empty()) {
        const auto [d, t] = queue.top();
        queue.pop();
        if (d > distance[t]) {
            continue;
        }
        for (int u : surface.neighbours[t]) {
            const double step = Vector::Subtract(surface.centres[u], surface.centres[t]).Length();
            if (d + step < distance[u]) {
                distance[u] = d + step;
                owner[u] = owner[t];
                queue.emplace(d + step, u);
            }
        }
    }
}

// Each connected piece still without a bone goes whole to the bone nearest its centre.
void GivePiecesNearestBone(const Surface& surface, const GuessSkeleton& skeleton,
                           const std::vector<int>& eligible, std::vector<int>& owner) {
    for (size_t seed = 0; seed < owner.size(); ++seed) {
        if (owner[seed] != kNoOwner) {
            continue;
        }
        std::vector<int> piece{static_cast<int>(seed)};
        owner[seed] = NUM_BONES;  // in this piece, bone to come
        for (size_t i = 0; i < piece.size(); ++i) {
            for (int u : surface.neighbours[piece[i]]) {
                if (owner[u] == kNoOwner) {
                    owner[u] = NUM_BONES;
                    piece.push_back(u);
                }
            }
        }
        Vector sum(0.0, 0.0, 0.0);
        double area = 0.0;
        for (int t : piece) {
            // Degenerate pieces still have a centre: every triangle counts a little.
            const double weight = surface.areas[t] + 1e-12;
            sum.AddInPlace(Vector::Scaled(surface.centres[t], weight));
            area += weight;
        }
        const int bone = NearestBone(skeleton, eligible, Vector::Scaled(sum, 1.0 / area));
        for (int t : piece) {
            owner[t] = bone;
        }
    }
}

// The one bone triangle t is bound to; kNoOwner when it is bound to none or to several.
int OnlyBone(const BoneBindings& bindings, int t) {
    int bound = kNoOwner;
    for (int b = 0; b < NUM_BONES; ++b) {
        if (bindings[b].Test(t)) {
            if (bound != kNoOwner) {
                return kNoOwner;
            }
            bound = b;
        }
    }
    return bound;
}

// The centre of triangle t; false when t names no triangle.
bool TriangleCentre(const MeshData& mesh, int t, Vector& centre) {
    int corner[3];
    if (!mesh.GetTriangle(t, corner[0], corner[1], corner[2])) {
        return false;
    }
    centre =
        Vector::Scaled(Vector::Add(Vector::Add(mesh.vertices[corner[0]], mesh.vertices[corner[1]]),
                                   mesh.vertices[corner[2]]),
                       1.0 / 3.0);
    return true;
}

}  // namespace

BindUnboundCounts BindUnboundTriangles(const MeshData& mesh, const GuessSkeleton& skeleton,
                                       BoneBindings& bindings) {
    BindUnboundCounts counts;
    const std::vector<int> eligible = EligibleBones(skeleton);
    if (eligible.empty()) {
        return counts;
    }
    const Surface surface = SurfaceOf(mesh);
    std::vector<int> owner = SettleOwners(surface, skeleton, bindings, counts.settled);
    const std::vector<int> before = owner;
    SpreadAcrossSurface(surface, owner);
    GivePiecesNearestBone(surface, skeleton, eligible, owner);
    for (size_t t = 0; t < owner.size(); ++t) {
        if (before[t] == kNoOwner) {
            bindings[owner[t]].SetBit(static_cast<int>(t));
            ++counts.bound;
        }
    }
    return counts;
}

int RebindFarTriangles(const MeshData& mesh, const GuessSkeleton& skeleton,
                       BoneBindings& bindings) {
    const std::vector<int> eligible = EligibleBones(skeleton);
    if (eligible.empty()) {
        return 0;
    }
    int moved = 0;
    for (int t = 0; t < mesh.TriangleCount(); ++t) {
        const int bound = OnlyBone(bindings, t);
        Vector centre;
        if (bound == kNoOwner || !skeleton.eligible[bound] || !TriangleCentre(mesh, t, centre)) {
            continue;
        }
        const int nearest = NearestBone(skeleton, eligible, centre);
        if (BoneDistance(skeleton, bound, centre) >
            kFarther * BoneDistance(skeleton, nearest, centre)) {
            bindings[bound].ClearBit(t);
            bindings[nearest].SetBit(t);
            ++moved;
        }
    }
    return moved;
}

int FreeLimbSeams(const MeshData& mesh, const GuessSkeleton& skeleton, BoneBindings& bindings) {
    const std::vector<int> eligible = EligibleBones(skeleton);
    if (eligible.size() < 2) {
        return 0;
    }
    int freed = 0;
    for (int t = 0; t < mesh.TriangleCount(); ++t) {
        const int bound = OnlyBone(bindings, t);
        Vector centre;
        if (bound == kNoOwner || !skeleton.eligible[bound] ||
            std::find(std::begin(kLimbBones), std::end(kLimbBones), bound) ==
                std::end(kLimbBones) ||
            !TriangleCentre(mesh, t, centre)) {
            continue;
        }
        double nearest = kUnreached;
        double next = kUnreached;
        for (int b : eligible) {
            const double d = BoneDistance(skeleton, b, centre);
            next = std::min(next, std::max(nearest, d));
            nearest = std::min(nearest, d);
        }
        if (nearest >= SEAM_SHARE * next) {
            bindings[bound].ClearBit(t);
            ++freed;
        }
    }
    return freed;
}

namespace {

// Runs `change` on the bindings of the document's model as the scene shows it.
template <typename Change>
BindUnboundOutcome ChangeModelBindings(ModelDocument& document, Change change) {
    MeshPart& model = document.model;
    if (model.Shape() == nullptr) {
        return BindUnboundOutcome::NoModel;
    }
    if (!ReadBackGeometry(*model.Shape(), model.mesh, document.scene, false)) {
        return BindUnboundOutcome::ReadBackFailed;
    }
    const GuessSkeleton skeleton = SkeletonForGuess(document);
    if (std::none_of(std::begin(skeleton.eligible), std::end(skeleton.eligible),
                     [](bool e) { return e; })) {
        return BindUnboundOutcome::NoEligibleBone;
    }
    BoneBindings bindings = CurrentBindings(document);
    change(model.mesh, skeleton, bindings);
    SetBindings(document, bindings);
    return BindUnboundOutcome::Done;
}

}  // namespace

BindUnboundOutcome BindModelUnboundTriangles(ModelDocument& document, BindUnboundCounts& counts) {
    return ChangeModelBindings(
        document,
        [&counts](const MeshData& mesh, const GuessSkeleton& skeleton, BoneBindings& bindings) {
            counts = BindUnboundTriangles(mesh, skeleton, bindings);
        });
}

BindUnboundOutcome FreeModelLimbSeams(ModelDocument& document, int& freed) {
    return ChangeModelBindings(
        document,
        [&freed](const MeshData& mesh, const GuessSkeleton& skeleton, BoneBindings& bindings) {
            freed = FreeLimbSeams(mesh, skeleton, bindings);
        });
}

BindUnboundOutcome RebindModelFarTriangles(ModelDocument& document, int& moved) {
    return ChangeModelBindings(
        document,
        [&moved](const MeshData& mesh, const GuessSkeleton& skeleton, BoneBindings& bindings) {
            moved = RebindFarTriangles(mesh, skeleton, bindings);
        });
}

}  // namespace editor::groups
