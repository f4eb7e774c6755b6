#include "editor/model/triangle_record.h"

#include <new>

#include "editor/model/mesh_data.h"

namespace editor::model {

namespace {

constexpr double ONE_THIRD = 0.333333333333333;

Vector EdgeNormal(const Vector& normal, const Vector& from, const Vector& to) {
    Vector edge = Vector::Cross(normal, Vector::Subtract(to, from));
    edge.Normalize();
    return edge;
}

// With the centre on the positive side of an edge plane the point must be too, on the negative
// side likewise; a plane through the centre imposes nothing.
bool OnCentreSide(double centreSide, double pointSide, double offset) {
    if (centreSide > offset) {
        return pointSide >= offset;
    }
    if (centreSide < offset) {
        return pointSide <= offset;
    }
    return true;
}

}  // namespace

TriangleRecord MakeTriangleRecord(const Vector& a, const Vector& b, const Vector& c) {
    TriangleRecord record;
    record.centre = Vector::Scaled(Vector::Add(Vector::Add(a, b), c), ONE_THIRD);
    record.normal = Vector::Cross(Vector::Subtract(b, a), Vector::Subtract(c, a));
    record.normal.Normalize();
    record.edgeNormals[0] = EdgeNormal(record.normal, a, b);
    record.edgeNormals[1] = EdgeNormal(record.normal, b, c);
    record.edgeNormals[2] = EdgeNormal(record.normal, c, a);
    record.planeOffset = record.normal.Dot(record.centre);
    record.edgeOffsets[0] = record.edgeNormals[0].Dot(a);
    record.edgeOffsets[1] = record.edgeNormals[1].Dot(b);
    record.edgeOffsets[2] = record.edgeNormals[2].Dot(c);
    return record;
}

bool UpdateTriangleRecord(const MeshData& mesh, int t, TriangleRecord& record) {
    int a = 0, b = 0, c = 0;
    if (!mesh.GetTriangle(t, a, b, c)) {
        return false;
    }
    record = MakeTriangleRecord(mesh.vertices[a], mesh.vertices[b], mesh.vertices[c]);
    return true;
}

std::unique_ptr<TriangleRecord[]> BuildTriangleRecords(const MeshData& mesh) {
    const int count = mesh.TriangleCount();
    std::unique_ptr<TriangleRecord[]> records(new (std::nothrow)
                                                  TriangleRecord[count > 0 ? count : 1]);
    if (!records) {
        return nullptr;
    }
    for (int t = 0; t < count; ++t) {
        UpdateTriangleRecord(mesh, t, records[t]);
    }
    return records;
}

bool RayHitsTriangle(const TriangleRecord& record, const Vector& origin, const Vector& direction,
                     Vector& hit) {
    const double approach = record.normal.Dot(direction);
    if (approach == 0.0) {
        return false;
    }
    const double distance = (record.planeOffset - record.normal.Dot(origin)) / approach;
    hit = Vector::Add(origin, Vector::Scaled(direction, distance));
    if (Vector::Subtract(hit, origin).Dot(direction) <= 0.0) {
        return false;
    }
    for (int i = 0; i < 3; ++i) {
        const Vector& edge = record.edgeNormals[i];
        if (!OnCentreSide(edge.Dot(record.centre), edge.Dot(hit), record.edgeOffsets[i])) {
            return false;
        }
    }
    return true;
}

}  // namespace editor::model
