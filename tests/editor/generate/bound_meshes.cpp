#include "tests/editor/generate/bound_meshes.h"

#include <random>
#include <vector>

#include "editor/model/model_document.h"
#include "scene/scene.h"
#include "scene/shape.h"

using namespace ::editor::model;
using namespace ::scene;

namespace {

constexpr int GRID = 32;
constexpr int TUBE_TRIANGLES = 54;  // 9 sides, 2 rings and two caps
constexpr int CAPE_BONE = 10;

bool SharesJoint(int b1, int b2) {
    int s1 = 0, e1 = 0, s2 = 0, e2 = 0;
    BoneJointIndices(b1, s1, e1);
    BoneJointIndices(b2, s2, e2);
    return s1 == s2 || s1 == e2 || e1 == s2 || e1 == e2;
}

int SharedJoint(int b1, int b2) {
    int s1 = 0, e1 = 0, s2 = 0, e2 = 0;
    BoneJointIndices(b1, s1, e1);
    BoneJointIndices(b2, s2, e2);
    return (s1 == s2 || s1 == e2) ? s1 : e1;
}

}  // namespace

void AddNeighbourSeams(MeshData& mesh, BoundTriangles& bound) {
    int centre[NUM_JOINTS];
    for (int j = 0; j < NUM_JOINTS; ++j) {
        centre[j] = mesh.AddVertex(Vector(j * 10.0, 0.0, 0.0));
    }
    double offset = 1.0;
    for (int b1 = 0; b1 < NUM_BONES; ++b1) {
        for (int b2 = b1 + 1; b2 < NUM_BONES; ++b2) {
            if (!SharesJoint(b1, b2)) {
                continue;
            }
            const int joint = SharedJoint(b1, b2);
            const double x = joint * 10.0;
            const int p1 = mesh.AddVertex(Vector(x + 1.0, offset, 0.0));
            const int p2 = mesh.AddVertex(Vector(x + 1.0, offset, 1.0));
            const int p3 = mesh.AddVertex(Vector(x, offset, 1.0));
            offset += 1.0;
            // The lower bone's triangle comes second now and then, so the order of triangles
            // does not decide who keeps the seam.
            const bool swap = (b1 + b2) % 2 == 1;
            const int first = mesh.AddTriangle(centre[joint], p1, p2, 0, 0, 0);
            const int second = mesh.AddTriangle(centre[joint], p2, p3, 0, 0, 0);
            bound[swap ? b2 : b1].SetBit(first);
            bound[swap ? b1 : b2].SetBit(second);
        }
    }
}

void AddPatchGrid(MeshData& mesh, BoundTriangles& bound, uint32_t seed, int unboundPerMille,
                  int doublePerMille) {
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> cell(0, GRID - 1);
    std::uniform_int_distribution<int> anyBone(0, NUM_BONES - 1);
    std::uniform_int_distribution<int> perMille(0, 999);
    struct Seed {
        int x, y, bone;
    };
    std::vector<Seed> seeds;
    for (int b = 0; b < NUM_BONES; ++b) {
        seeds.push_back({cell(random), cell(random), b});
    }
    const int first = mesh.vertexCount;
    for (int y = 0; y <= GRID; ++y) {
        for (int x = 0; x <= GRID; ++x) {
            mesh.AddVertex(Vector(x, y, (x * y) % 3 * 0.1));
        }
    }
    auto at = [&](int x, int y) { return first + y * (GRID + 1) + x; };
    for (int y = 0; y < GRID; ++y) {
        for (int x = 0; x < GRID; ++x) {
            int owner = 0;
            int best = 1 << 30;
            for (const Seed& s : seeds) {
                const int d = (s.x - x) * (s.x - x) + (s.y - y) * (s.y - y);
                if (d < best) {
                    best = d;
                    owner = s.bone;
                }
            }
            const int t1 = mesh.AddTriangle(at(x, y), at(x + 1, y), at(x + 1, y + 1), 0, 0, 0);
            const int t2 = mesh.AddTriangle(at(x, y), at(x + 1, y + 1), at(x, y + 1), 0, 0, 0);
            for (int t : {t1, t2}) {
                if (t < 0 || perMille(random) < unboundPerMille) {
                    continue;
                }
                bound[owner].SetBit(t);
                if (perMille(random) < doublePerMille) {
                    bound[(owner + 1 + anyBone(random) % (NUM_BONES - 1)) % NUM_BONES].SetBit(t);
                }
            }
        }
    }
}

void BindCharacterTubes(const MeshData& mesh, BoundTriangles& bound) {
    for (int b = 0; b < NUM_BONES; ++b) {
        bound[b].SetRange(b * TUBE_TRIANGLES, TUBE_TRIANGLES);
    }
    const int cape = NUM_BONES * TUBE_TRIANGLES;
    bound[CAPE_BONE].SetRange(cape, mesh.TriangleCount() - cape);
}

void InstallModel(ModelDocument& document, const MeshData& mesh, const BoundTriangles& bound) {
    document.model.mesh.CopyGeometryFrom(mesh);
    for (int b = 0; b < NUM_BONES; ++b) {
        document.bones[b].boundTriangles = bound[b];
    }
    document.model.RebuildShape();
    if (document.scene != nullptr && document.model.Shape() != nullptr) {
        document.scene->AddChild(document.model.Shape());
    }
}
