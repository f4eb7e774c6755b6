#include "tests/editor/groups/character_mesh.h"

#include <algorithm>
#include <cmath>
#include <random>

#include "editor/groups/model_bindings.h"
#include "editor/model/mesh_data.h"
#include "editor/model/model_document.h"
#include "editor/skeleton/pose_follower.h"
#include "editor/skeleton/posing.h"
#include "editor/skeleton/skeleton_scene.h"
#include "scene/scene.h"

using namespace ::editor::model;
using namespace ::editor::skeleton;
using namespace ::scene;

namespace {

constexpr double PI = 3.14159265358979323846;
constexpr int TUBE_SIDES = 9;
constexpr int TUBE_RINGS = 2;
constexpr int CAPE_CELLS = 5;

// Two unit vectors at right angles to axis and to each other.
void Across(const Vector& axis, Vector& u, Vector& v) {
    Vector helper = std::fabs(axis.z) < 0.9 ? Vector(0, 0, 1) : Vector(1, 0, 0);
    u = Vector::Cross(axis, helper);
    u.Normalize();
    v = Vector::Cross(axis, u);
    v.Normalize();
}

void AddTube(MeshData& mesh, const Vector& start, const Vector& end, double radius,
             std::mt19937& random) {
    std::uniform_real_distribution<double> bump(0.85, 1.15);
    Vector axis = Vector::Subtract(end, start);
    const double length = axis.Length();
    if (length == 0.0) {
        axis = Vector(0, 0, 1);
    }
    axis.Normalize();
    Vector u, v;
    Across(axis, u, v);
    // The tube reaches a little past both joints so that neighbouring tubes overlap.
    const Vector from = Vector::Subtract(start, Vector::Scaled(axis, radius * 0.5));
    const double span = length + radius;
    const int first = mesh.vertexCount;
    for (int ring = 0; ring <= TUBE_RINGS; ++ring) {
        const Vector centre = Vector::Add(from, Vector::Scaled(axis, span * ring / TUBE_RINGS));
        for (int s = 0; s < TUBE_SIDES; ++s) {
            const double angle = 2 * PI * s / TUBE_SIDES;
            const double r = radius * bump(random);
            mesh.AddVertex(
                Vector::Add(centre, Vector::Add(Vector::Scaled(u, r * std::cos(angle)),
                                                Vector::Scaled(v, r * std::sin(angle)))));
        }
    }
    const int bottom = mesh.AddVertex(from);
    const int top = mesh.AddVertex(Vector::Add(from, Vector::Scaled(axis, span)));
    auto at = [&](int ring, int s) { return first + ring * TUBE_SIDES + s % TUBE_SIDES; };
    for (int s = 0; s < TUBE_SIDES; ++s) {
        for (int ring = 0; ring < TUBE_RINGS; ++ring) {
            mesh.AddTriangle(at(ring, s), at(ring, s + 1), at(ring + 1, s + 1), 0, 0, 0);
            mesh.AddTriangle(at(ring, s), at(ring + 1, s + 1), at(ring + 1, s), 0, 0, 0);
        }
        mesh.AddTriangle(bottom, at(0, s + 1), at(0, s), 0, 0, 0);
        mesh.AddTriangle(top, at(TUBE_RINGS, s), at(TUBE_RINGS, s + 1), 0, 0, 0);
    }
}

void AddCape(MeshData& mesh, const Vector& top, double size) {
    const int first = mesh.vertexCount;
    for (int i = 0; i <= CAPE_CELLS; ++i) {
        for (int j = 0; j <= CAPE_CELLS; ++j) {
            mesh.AddVertex(Vector(top.x + 4.0, top.y + size * (j / double(CAPE_CELLS) - 0.5),
                                  top.z - size * i / CAPE_CELLS));
        }
    }
    auto at = [&](int i, int j) { return first + i * (CAPE_CELLS + 1) + j; };
    for (int i = 0; i < CAPE_CELLS; ++i) {
        for (int j = 0; j < CAPE_CELLS; ++j) {
            mesh.AddTriangle(at(i, j), at(i, j + 1), at(i + 1, j + 1), 0, 0, 0);
            mesh.AddTriangle(at(i, j), at(i + 1, j + 1), at(i + 1, j), 0, 0, 0);
        }
    }
}

// The start-up skeleton alone: there is no generated model to follow it.
class NothingFollows : public PoseFollower {
  public:
    void FollowPose(ModelDocument&) override {}
};

}  // namespace

GuessSkeleton StartUpSkeleton() {
    C3dScene scene;
    scene.Create();
    auto document = std::make_unique<ModelDocument>();
    document->SetScene(&scene);
    NothingFollows still;
    Posing posing(*document, still);
    BuildSkeleton(posing);
    LinkSkeleton(*document, scene);
    posing.Apply(document->defaultPose);
    uint32_t everyNode[NUM_MESH_NODES];
    std::fill(std::begin(everyNode), std::end(everyNode), 1u);
    SetActiveNodes(*document, everyNode);
    GuessSkeleton skeleton = SkeletonForGuess(*document);
    UnlinkSkeleton(*document);
    scene.RemoveAllChildren();
    return skeleton;
}

void AddCharacterMesh(MeshData& mesh, const GuessSkeleton& skeleton, uint32_t seed) {
    std::mt19937 random(seed);
    for (int b = 0; b < NUM_BONES; ++b) {
        int start = 0, end = 0;
        BoneJointIndices(b, start, end);
        const double length =
            Vector::Subtract(skeleton.joints[end], skeleton.joints[start]).Length();
        AddTube(mesh, skeleton.joints[start], skeleton.joints[end], 1.2 + 0.12 * length, random);
    }
    AddCape(mesh, skeleton.joints[10], 12.0);
}

void FitOverSkeleton(MeshData& mesh, const GuessSkeleton& skeleton) {
    auto bounds = [](const Vector* points, int count, Vector& lo, Vector& hi) {
        lo = hi = points[0];
        for (int i = 1; i < count; ++i) {
            lo = Vector(std::min(lo.x, points[i].x), std::min(lo.y, points[i].y),
                        std::min(lo.z, points[i].z));
            hi = Vector(std::max(hi.x, points[i].x), std::max(hi.y, points[i].y),
                        std::max(hi.z, points[i].z));
        }
    };
    Vector meshLo, meshHi, boneLo, boneHi;
    bounds(mesh.vertices, mesh.vertexCount, meshLo, meshHi);
    bounds(skeleton.joints, 28, boneLo, boneHi);  // the body, without the weapons
    const double scale = (boneHi.z - boneLo.z) / std::max(1e-6, double(meshHi.z - meshLo.z));
    const Vector meshCentre = Vector::Scaled(Vector::Add(meshLo, meshHi), 0.5);
    const Vector boneCentre = Vector::Scaled(Vector::Add(boneLo, boneHi), 0.5);
    for (int i = 0; i < mesh.vertexCount; ++i) {
        mesh.vertices[i] = Vector::Add(
            boneCentre, Vector::Scaled(Vector::Subtract(mesh.vertices[i], meshCentre), scale));
    }
}

TriangleSet AllTriangles(const MeshData& mesh) {
    TriangleSet all;
    all.SetRange(0, mesh.TriangleCount());
    return all;
}
