#include "tests/editor/generate/jointed_character.h"

#include <cmath>
#include <vector>

#include "editor/model/mesh_data.h"

namespace {

constexpr double PI = 3.14159265358979323846;

Vector Unit(Vector v) {
    v.Normalize();
    return v;
}

// The ring's axis: along the bone inside it, halfway between the two bones at a joint.
Vector RingAxis(const std::vector<Vector>& points, int i) {
    const int last = static_cast<int>(points.size()) - 1;
    const Vector before =
        Unit(Vector::Subtract(points[std::max(i, 1)], points[std::max(i, 1) - 1]));
    const Vector after =
        Unit(Vector::Subtract(points[std::min(i, last - 1) + 1], points[std::min(i, last - 1)]));
    return Unit(Vector::Add(before, after));
}

}  // namespace

void AddBoneChain(MeshData& mesh, BoundTriangles& bound, const GuessSkeleton& skeleton,
                  std::initializer_list<int> bones, const TubeShape& shape) {
    std::vector<Vector> centres;
    std::vector<int> ringBone;
    for (int bone : bones) {
        const Vector start = skeleton.joints[boneTable[bone].startJoint];
        const Vector end = skeleton.joints[boneTable[bone].endJoint];
        for (int r = centres.empty() ? 0 : 1; r <= shape.ringsPerBone; ++r) {
            const double t = static_cast<double>(r) / shape.ringsPerBone;
            centres.push_back(Vector::Add(start, Vector::Scaled(Vector::Subtract(end, start), t)));
            ringBone.push_back(bone);
        }
    }
    const int first = mesh.vertexCount;
    Vector u = std::fabs(RingAxis(centres, 0).z) < 0.9 ? Vector(0, 0, 1) : Vector(1, 0, 0);
    for (int i = 0; i < static_cast<int>(centres.size()); ++i) {
        const Vector axis = RingAxis(centres, i);
        // Carried from ring to ring, so the tube does not twist where the chain turns.
        u = Unit(Vector::Subtract(u, Vector::Scaled(axis, u.Dot(axis))));
        const Vector v = Vector::Cross(axis, u);
        for (int s = 0; s < shape.sides; ++s) {
            const double angle = 2 * PI * s / shape.sides;
            mesh.AddVertex(Vector::Add(
                centres[i], Vector::Add(Vector::Scaled(u, shape.radius * std::cos(angle)),
                                        Vector::Scaled(v, shape.radius * std::sin(angle)))));
        }
    }
    auto at = [&](int ring, int s) { return first + ring * shape.sides + s % shape.sides; };
    const int rings = static_cast<int>(centres.size());
    for (int ring = 0; ring + 1 < rings; ++ring) {
        const int bone = ringBone[ring + 1];
        for (int s = 0; s < shape.sides; ++s) {
            bound[bone].SetBit(
                mesh.AddTriangle(at(ring, s), at(ring + 1, s + 1), at(ring, s + 1), 0, 0, 0));
            bound[bone].SetBit(
                mesh.AddTriangle(at(ring, s), at(ring + 1, s), at(ring + 1, s + 1), 0, 0, 0));
        }
    }
    if (!shape.capped) {
        return;
    }
    const int bottom = mesh.AddVertex(centres.front());
    const int top = mesh.AddVertex(centres.back());
    for (int s = 0; s < shape.sides; ++s) {
        bound[ringBone.front()].SetBit(mesh.AddTriangle(bottom, at(0, s), at(0, s + 1), 0, 0, 0));
        bound[ringBone.back()].SetBit(
            mesh.AddTriangle(top, at(rings - 1, s + 1), at(rings - 1, s), 0, 0, 0));
    }
}

void AddJointedCharacter(MeshData& mesh, BoundTriangles& bound, const GuessSkeleton& skeleton,
                         const TubeShape& shape) {
    AddBoneChain(mesh, bound, skeleton, {0, 1, 2, 3}, shape);
    AddBoneChain(mesh, bound, skeleton, {4, 5, 6, 7}, shape);
    AddBoneChain(mesh, bound, skeleton, {8, 9, 25, 26, 27}, shape);
    AddBoneChain(mesh, bound, skeleton, {10, 11, 12, 13}, shape);
    AddBoneChain(mesh, bound, skeleton, {16, 17, 18, 19}, shape);
}
