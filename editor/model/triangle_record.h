#pragma once
// Per-triangle geometry for ray tests: the triangle's plane and the three planes through its
// edges at right angles to it. Built for one pass and dropped afterwards.

#include <memory>

#include "scene/vector.h"

namespace editor::model {

using namespace ::scene;

class MeshData;

struct TriangleRecord {
    Vector centre;
    Vector normal;
    Vector edgeNormals[3];
    double planeOffset = 0.0;
    double edgeOffsets[3] = {};
};

// The record of a triangle with corners a, b, c in stored order.
TriangleRecord MakeTriangleRecord(const Vector& a, const Vector& b, const Vector& c);
// Recomputes record from triangle t of the mesh; false when t is not a triangle of it.
bool UpdateTriangleRecord(const MeshData& mesh, int t, TriangleRecord& record);

// One record per triangle of the mesh, or none when memory runs out.
std::unique_ptr<TriangleRecord[]> BuildTriangleRecords(const MeshData& mesh);
inline void FreeTriangleRecords(std::unique_ptr<TriangleRecord[]>& records) {
    records.reset();
}

// True when the ray from origin along direction meets the triangle in front of the origin;
// hit receives the point where it meets the triangle's plane.
bool RayHitsTriangle(const TriangleRecord& record, const Vector& origin, const Vector& direction,
                     Vector& hit);

}  // namespace editor::model
