#include "editor/export/frame_normals.h"

#include <array>
#include <cmath>
#include <vector>

#include "flexmodel/nearest_normal.h"

namespace editor::flexexport {

using namespace ::flexmodel;

namespace {

using Sum = std::array<double, 3>;

// The unit normal of the face with these corners; zero when the corners are in a line.
Sum UnitFaceNormal(const Vector& a, const Vector& b, const Vector& c) {
    const double ux = double(c.x) - a.x, uy = double(c.y) - a.y, uz = double(c.z) - a.z;
    const double vx = double(b.x) - a.x, vy = double(b.y) - a.y, vz = double(b.z) - a.z;
    Sum normal{uy * vz - uz * vy, uz * vx - ux * vz, ux * vy - uy * vx};
    const double length =
        std::sqrt(normal[0] * normal[0] + normal[1] * normal[1] + normal[2] * normal[2]);
    if (length == 0.0) {
        return {0.0, 0.0, 0.0};
    }
    return {normal[0] / length, normal[1] / length, normal[2] / length};
}

void Add(Sum& sum, const Sum& normal) {
    sum[0] += normal[0];
    sum[1] += normal[1];
    sum[2] += normal[2];
}

}  // namespace

void VertexNormalIndices(const MeshData& mesh, int vertexCount, uint8_t* indices) {
    std::vector<Sum> sums(vertexCount, Sum{0.0, 0.0, 0.0});
    const int faces = mesh.TriangleCount();
    for (int f = 0; f < faces; ++f) {
        int a, b, c;
        mesh.GetTriangle(f, a, b, c);
        if (a < 0 || b < 0 || c < 0 || a >= vertexCount || b >= vertexCount || c >= vertexCount) {
            continue;
        }
        const Sum normal = UnitFaceNormal(mesh.vertices[a], mesh.vertices[b], mesh.vertices[c]);
        // A face counts once for each vertex among its corners.
        Add(sums[a], normal);
        if (b != a) {
            Add(sums[b], normal);
        }
        if (c != a && c != b) {
            Add(sums[c], normal);
        }
    }
    for (int v = 0; v < vertexCount; ++v) {
        indices[v] = static_cast<uint8_t>(NearestVertexNormal(sums[v][0], sums[v][1], sums[v][2]));
    }
}

}  // namespace editor::flexexport
