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
        for (int v = posed.FindSetRun(0, 1); v >= 0 && v < MAX_MESH_ELEMENTS;
             v = posed.FindSetRun(v + 1, 1)) {
            const Vector& local = bone.mesh.vertices[v];
            rest.owner[v] = b;
            rest.position[v] = bone.rest.rotation * PoseVec{local.x, local.y, local.z} +
                               bone.rest.start;
        }
    }
    return rest;
}

// The surface's edges between posed vertices, plus zero-length links between vertices that
// coincide at rest.
std::vector<std::vector<Link>> SurfaceLinks(const MeshData& mesh, const RestVertices& rest) {
    std::vector<std::vector<Link>> links(MAX_MESH_ELEMENTS);
    auto join = [&](int a, int b, double length) {
        links[a].push_back({b, length});
        links[b].push_back({a, length});
    };
    for (int t = 0; t < mesh.TriangleCount(); ++t) {
        int corner[3];
        if (!mesh.GetTriangle(t, corner[0], corner[1], corner[2])) {
            continue;
        }
        for (int k = 0; k < 3; ++k) {
            const int a = corner[k];
            const int b = corner[(k + 1) % 3];
            if (a >= 0 && b >= 0 && a < MAX_MESH_ELEMENTS && b < MAX_MESH_ELEMENTS && a != b &&
                rest.owner[a] != NO_OWNER && rest.owner[b] != NO_OWNER) {
                join(a, b, Length(rest.position[a] - rest.position[b]));
            }
        }
    }
    std::map<std::tuple<long long, long long, long long>, int> firstAt;
    for (int v = 0; v < MAX_MESH_ELEMENTS; ++v) {
        if (rest.owner[v] == NO_OWNER) {
            continue;
        }
        const PoseVec& p = rest.position[v];
        const auto key = std::make_tuple(std::llround(p.x / WELD_DISTANCE),
                                         std::llround(p.y / WELD_DISTANCE),
                                         std::llround(p.z / WELD_DISTANCE));
        const auto [found, fresh] = firstAt.emplace(key, v);
        if (!fresh) {
            join(found->second, v, 0.0);
        }
    }
    return links;
}

bool ShareJoint(int a, int b) {
    const BoneTableEntry& first = boneTable[a];
    const BoneTableEntry& second = boneTable[b];
    return first.startJoint == second.startJoint || first.startJoint == second.endJoint ||
           first.endJoint == second.startJoint || first.endJoint == second.endJoint;
}

// 0 at 0, 1 at 1 and beyond, flat at both ends.
double SmoothStep(double x) {
    x = std::clamp(x, 0.0, 1.0);
    return x * x * (3.0 - 2.0 * x);
}

struct Candidate {
    int bone;
    double share;
};

// Distances along bone a's vertices from its seam with bone n (the midpoints of the edges that
// cross it), as far as reach; vertices not reached stay infinite.
std::vector<double> DistancesFromSeam(const std::vector<std::vector<Link>>& links,
                                      const RestVertices& rest, int a, int n, double reach) {
    std::vector<double> distance(MAX_MESH_ELEMENTS, INFINITY);
    using Entry = std::pair<double, int>;
    std::priority_queue<Entry, std::vector<Entry>, std::greater<Entry>> open;
    for (int v = 0; v < MAX_MESH_ELEMENTS; ++v) {
        if (rest.owner[v] != a) {
            continue;
        }
        for (const Link& link : links[v]) {
            if (rest.owner[link.to] == n && link.length / 2 < distance[v]) {
                distance[v] = link.length / 2;
            }
        }
        if (distance[v] < reach) {
            open.push({distance[v], v});
        }
    }
    while (!open.empty()) {
        const auto [d, v] = open.top();
        open.pop();
        if (d > distance[v]) {
            continue;
        }
        for (const Link& link : links[v]) {
            const double further = d + link.length;
            if (rest.owner[link.to] == a && further < distance[link.to] && further < reach) {
                distance[link.to] = further;
                open.push({further, link.to});
            }
        }
    }
    return distance;
}

// The strongest neighbours' shares next to the own bone's, normalised to a sum of one.
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
        blend.bones[blend.count] = static_cast<uint8_t>(candidate.bone);
        blend.weights[blend.count] = static_cast<float>(candidate.share / total);
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
    const std::vector<std::vector<Link>> links = SurfaceLinks(document.model.mesh, rest);
    std::vector<std::vector<Candidate>> candidates(MAX_MESH_ELEMENTS);
    for (int a = 0; a < NUM_BONES; ++a) {
        for (int n = 0; n < NUM_BONES; ++n) {
            if (n == a || !ShareJoint(a, n) || !HasLocalCoordinates(document, a) ||
                !HasLocalCoordinates(document, n)) {
                continue;
            }
            const double reach =
                zone * std::min(document.bones[a].length, document.bones[n].length);
            if (!(reach > 0.0)) {
                continue;
            }
            const std::vector<double> distance = DistancesFromSeam(links, rest, a, n, reach);
            for (int v = 0; v < MAX_MESH_ELEMENTS; ++v) {
                if (distance[v] < reach) {
                    candidates[v].push_back({n, 0.5 * (1.0 - SmoothStep(distance[v] / reach))});
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
