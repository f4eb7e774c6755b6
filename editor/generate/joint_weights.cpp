#include "editor/generate/joint_weights.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <map>
#include <queue>
#include <tuple>
#include <utility>
#include <vector>

#include "editor/generate/mesh_deformation.h"
#include "editor/model/model_document.h"

namespace editor::generate {

using namespace ::editor::model;

namespace {

constexpr int NO_OWNER = -1;
// Vertices closer than this at rest are one point of the surface (split for skin seams).
constexpr double WELD_DISTANCE = 1e-4;
// How far along the surface from the seam between two bones the blend reaches, in blend zones:
// a vertex on the far side of the limb from a jagged seam still blends, one merely near the joint
// in space does not. Within FULL_SHARE_REACH of the seam a vertex takes the share its place along
// the limb gives; further out the share fades to none at SEAM_REACH, so a seam that lies off its
// joint (a neck bound below the collar) bends over the fade instead of tearing where the blend
// stops.
constexpr double FULL_SHARE_REACH = 1.0;
constexpr double SEAM_REACH = 3.0;

struct Link {
    int to;
    double length;
};

// The bone that poses each vertex (the last bone holding it, as the rigid posing does) and the
// vertex's rest position in pose space.
struct RestVertices {
    std::vector<int> owner = std::vector<int>(MAX_MESH_ELEMENTS, NO_OWNER);
    std::vector<PoseVec> position = std::vector<PoseVec>(MAX_MESH_ELEMENTS);
};

RestVertices FindRestVertices(const ModelDocument& document) {
    RestVertices rest;
    for (int b = 0; b < NUM_BONES; ++b) {
        if (!HasLocalCoordinates(document, b)) {
            continue;
        }
        const BonePart& bone = document.bones[b];
        VertexSet posed = bone.boundVertices;
        posed.And(bone.mesh.usedVertices);
        posed.ForEachSet([&](int v) {
            const Vector& local = bone.mesh.vertices[v];
            rest.owner[v] = b;
            rest.position[v] =
                bone.rest.rotation * PoseVec{local.x, local.y, local.z} + bone.rest.start;
        });
    }
    return rest;
}

// The surface as the blend sees it: the edges between posed vertices, zero-length links between
// vertices that coincide at rest (split for skin seams), and for every vertex the bones whose
// bound triangles touch it or a vertex at the same place.
struct Surface {
    std::vector<std::vector<Link>> links = std::vector<std::vector<Link>>(MAX_MESH_ELEMENTS);
    std::vector<uint64_t> touchingBones = std::vector<uint64_t>(MAX_MESH_ELEMENTS, 0);
};

void LinkEdges(const ModelDocument& document, const RestVertices& rest, Surface& surface) {
    const MeshData& mesh = document.model.mesh;
    for (int t = 0; t < mesh.TriangleCount(); ++t) {
        int corner[3];
        if (!mesh.GetTriangle(t, corner[0], corner[1], corner[2])) {
            continue;
        }
        uint64_t bones = 0;
        for (int b = 0; b < NUM_BONES; ++b) {
            bones |= document.bones[b].boundTriangles.Test(t) ? uint64_t{1} << b : 0;
        }
        for (int k = 0; k < 3; ++k) {
            const int a = corner[k];
            const int b = corner[(k + 1) % 3];
            if (a < 0 || b < 0 || a >= MAX_MESH_ELEMENTS || b >= MAX_MESH_ELEMENTS ||
                rest.owner[a] == NO_OWNER || rest.owner[b] == NO_OWNER) {
                continue;
            }
            surface.touchingBones[a] |= bones;
            if (a != b) {
                const double length = Length(rest.position[a] - rest.position[b]);
                surface.links[a].push_back({b, length});
            }
        }
    }
}

void WeldCoincidentVertices(const RestVertices& rest, Surface& surface) {
    std::map<std::tuple<long long, long long, long long>, std::vector<int>> at;
    for (int v = 0; v < MAX_MESH_ELEMENTS; ++v) {
        if (rest.owner[v] != NO_OWNER) {
            const PoseVec& p = rest.position[v];
            at[std::make_tuple(std::llround(p.x / WELD_DISTANCE), std::llround(p.y / WELD_DISTANCE),
                               std::llround(p.z / WELD_DISTANCE))]
                .push_back(v);
        }
    }
    for (const auto& [place, group] : at) {
        uint64_t bones = 0;
        for (int v : group) {
            bones |= surface.touchingBones[v];
        }
        for (int v : group) {
            surface.touchingBones[v] = bones;
            for (int u : group) {
                if (u != v) {
                    surface.links[v].push_back({u, 0.0});
                }
            }
        }
    }
}

Surface SurfaceOf(const ModelDocument& document, const RestVertices& rest) {
    Surface surface;
    LinkEdges(document, rest, surface);
    WeldCoincidentVertices(rest, surface);
    return surface;
}

double Dot(const PoseVec& a, const PoseVec& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

// The bone's direction at rest (its own x axis).
PoseVec RestDirection(const ModelDocument& document, int bone) {
    return document.bones[bone].rest.rotation * PoseVec{1.0, 0.0, 0.0};
}

bool IsChild(int child, int parent) {
    return boneTable[child].startJoint == boneTable[parent].endJoint;
}

// A bone next to another in the body: its parent, a child, or a bone leaving the same joint.
bool Touches(int a, int b) {
    return IsChild(a, b) || IsChild(b, a) || boneTable[a].startJoint == boneTable[b].startJoint;
}

// The joint where bone a's vertices hand over to bone n's: the bone that starts there (its rest
// start is the joint) and the direction from a's side to n's.
struct JointBetween {
    int anchor = NO_BONE;
    PoseVec across;
};

// Between a parent and its child along the limb; between bones further apart when a bone that
// holds no vertices joins them and n is its child (the spine past an unbound pelvis bone).
// Bones that leave one joint side by side (chest and upper torso) do not blend: their motions
// differ (a shrug against the spine) and blending them shears the part between. Neither do
// bones further apart: a surface crossing between them (an arm touching the chest) is contact,
// not a joint. (Blending such pairs too, with shares by distance over the surface, stretched
// the jump on real characters more than the seams it mended: their motions differ too much.)
JointBetween FindJoint(const ModelDocument& document, int a, int n) {
    const PoseVec limb = RestDirection(document, a) + RestDirection(document, n);
    if (IsChild(n, a)) {
        return {n, Normalized(limb)};
    }
    if (IsChild(a, n)) {
        return {a, Normalized(limb * -1.0)};
    }
    // Side by side however they are bound: an unbound lower torso must not join the chest bones
    // and the upper torso through their common parent.
    if (boneTable[a].startJoint == boneTable[n].startJoint) {
        return {};
    }
    for (int between = 0; between < NUM_BONES; ++between) {
        if (between == a || between == n) {
            continue;
        }
        if (HasLocalCoordinates(document, between)) {
            continue;
        }
        if (IsChild(n, between) && Touches(a, between)) {
            return {n, Normalized(RestDirection(document, n))};
        }
        if (IsChild(a, between) && Touches(n, between)) {
            return {a, Normalized(RestDirection(document, a) * -1.0)};
        }
    }
    return {};
}

struct Candidate {
    int bone;
    int anchor;
    double share;
};

// Distances along bone a's vertices from its seam with bone n (the vertices that triangles of
// both bones touch), as far as reach; vertices not reached stay infinite.
std::vector<double> DistancesFromSeam(const Surface& surface, const RestVertices& rest, int a,
                                      int n, double reach) {
    std::vector<double> distance(MAX_MESH_ELEMENTS, INFINITY);
    using Entry = std::pair<double, int>;
    std::priority_queue<Entry, std::vector<Entry>, std::greater<Entry>> open;
    const uint64_t both = uint64_t{1} << a | uint64_t{1} << n;
    for (int v = 0; v < MAX_MESH_ELEMENTS; ++v) {
        if (rest.owner[v] != NO_OWNER && (surface.touchingBones[v] & both) == both) {
            distance[v] = 0.0;
            open.push({0.0, v});
        }
    }
    while (!open.empty()) {
        const auto [d, v] = open.top();
        open.pop();
        if (d > distance[v]) {
            continue;
        }
        for (const Link& link : surface.links[v]) {
            const double further = d + link.length;
            if (rest.owner[link.to] == a && further < distance[link.to] && further < reach) {
                distance[link.to] = further;
                open.push({further, link.to});
            }
        }
    }
    return distance;
}

// What is left of a vertex's share at this distance from the seam, in zones.
double FadeWithDistance(double zones) {
    return std::clamp((SEAM_REACH - zones) / (SEAM_REACH - FULL_SHARE_REACH), 0.0, 1.0);
}

// The strongest neighbours' shares next to the own bone's (what the strongest leaves it),
// normalised to a sum of one.
VertexBlend Normalised(std::vector<Candidate>& candidates) {
    std::sort(candidates.begin(), candidates.end(),
              [](const Candidate& x, const Candidate& y) { return x.share > y.share; });
    if (candidates.size() > MAX_BLEND_NEIGHBOURS) {
        candidates.resize(MAX_BLEND_NEIGHBOURS);
    }
    double total = 1.0 - candidates.front().share;
    for (const Candidate& candidate : candidates) {
        total += candidate.share;
    }
    VertexBlend blend;
    for (const Candidate& candidate : candidates) {
        const auto weight = static_cast<float>(candidate.share / total);
        if (weight <= 0.0f) {
            continue;
        }
        blend.bones[blend.count] = static_cast<uint8_t>(candidate.bone);
        blend.anchors[blend.count] = static_cast<uint8_t>(candidate.anchor);
        blend.weights[blend.count] = weight;
        ++blend.count;
    }
    return blend;
}

}  // namespace

void ComputeJointWeights(ModelDocument& document) {
    JointBlend& blend = document.jointBlend;
    blend.ClearWeights();
    const double zone = std::min<uint32_t>(blend.zonePercent, MAX_JOINT_BLEND_PERCENT) / 100.0;
    if (zone <= 0.0) {
        return;
    }
    const RestVertices rest = FindRestVertices(document);
    const Surface surface = SurfaceOf(document, rest);
    std::vector<std::vector<Candidate>> candidates(MAX_MESH_ELEMENTS);
    for (int a = 0; a < NUM_BONES; ++a) {
        for (int n = 0; n < NUM_BONES; ++n) {
            if (n == a || !HasLocalCoordinates(document, a) || !HasLocalCoordinates(document, n)) {
                continue;
            }
            const JointBetween joint = FindJoint(document, a, n);
            if (joint.anchor == NO_BONE || Length(joint.across) == 0.0) {
                continue;
            }
            const double reach =
                zone * std::min(document.bones[a].length, document.bones[n].length);
            if (!(reach > 0.0)) {
                continue;
            }
            const PoseVec& at = document.bones[joint.anchor].rest.start;
            const std::vector<double> distance =
                DistancesFromSeam(surface, rest, a, n, SEAM_REACH * reach);
            for (int v = 0; v < MAX_MESH_ELEMENTS; ++v) {
                if (rest.owner[v] != a || !(distance[v] < SEAM_REACH * reach)) {
                    continue;
                }
                const double past = Dot(rest.position[v] - at, joint.across);
                const double share = std::clamp((past + reach) / (2.0 * reach), 0.0, 1.0) *
                                     FadeWithDistance(distance[v] / reach);
                if (share > 0.0) {
                    candidates[v].push_back({n, joint.anchor, share});
                }
            }
        }
    }
    for (int v = 0; v < MAX_MESH_ELEMENTS; ++v) {
        if (!candidates[v].empty()) {
            blend.vertices[v] = Normalised(candidates[v]);
        }
    }
}

}  // namespace editor::generate
