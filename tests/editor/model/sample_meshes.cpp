#include "sample_meshes.h"

#include <cmath>
#include <random>

#include "editor/model/mesh_data.h"

using namespace ::editor::model;

namespace {

constexpr double PI = 3.14159265358979323846;

int Add(MeshData& mesh, double x, double y, double z) {
    return mesh.AddVertex(Vector(x, y, z));
}

void Quad(MeshData& mesh, int a, int b, int c, int d) {
    mesh.AddTriangle(a, b, c, 0, 0, 0);
    mesh.AddTriangle(a, c, d, 0, 0, 0);
}

}  // namespace

void AddSphere(MeshData& mesh, double cx, double cy, double cz, double radius, int bands,
               int sectors, double bumpiness, uint32_t seed) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> bump(1.0 - bumpiness, 1.0 + bumpiness);
    const int top = Add(mesh, cx, cy, cz + radius * bump(random));
    const int first = mesh.vertexCount;
    for (int band = 1; band < bands; ++band) {
        const double theta = PI * band / bands;
        for (int s = 0; s < sectors; ++s) {
            const double phi = 2 * PI * s / sectors;
            const double r = radius * bump(random);
            Add(mesh, cx + r * std::sin(theta) * std::cos(phi),
                cy + r * std::sin(theta) * std::sin(phi), cz + r * std::cos(theta));
        }
    }
    const int bottom = Add(mesh, cx, cy, cz - radius * bump(random));
    auto at = [&](int band, int s) { return first + (band - 1) * sectors + (s % sectors); };
    for (int s = 0; s < sectors; ++s) {
        mesh.AddTriangle(top, at(1, s + 1), at(1, s), 0, 0, 0);
        mesh.AddTriangle(bottom, at(bands - 1, s), at(bands - 1, s + 1), 0, 0, 0);
        for (int band = 1; band + 1 < bands; ++band) {
            Quad(mesh, at(band, s), at(band, s + 1), at(band + 1, s + 1), at(band + 1, s));
        }
    }
}

void AddTorus(MeshData& mesh, double cx, double cy, double cz, double major, double minor,
              int rings, int sides) {
    const int first = mesh.vertexCount;
    for (int r = 0; r < rings; ++r) {
        const double u = 2 * PI * r / rings;
        for (int s = 0; s < sides; ++s) {
            const double v = 2 * PI * s / sides;
            const double d = major + minor * std::cos(v);
            Add(mesh, cx + d * std::cos(u), cy + d * std::sin(u), cz + minor * std::sin(v));
        }
    }
    auto at = [&](int r, int s) { return first + (r % rings) * sides + (s % sides); };
    for (int r = 0; r < rings; ++r) {
        for (int s = 0; s < sides; ++s) {
            Quad(mesh, at(r, s), at(r + 1, s), at(r + 1, s + 1), at(r, s + 1));
        }
    }
}

void AddTriangleSoup(MeshData& mesh, int count, double size, uint32_t seed) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> place(-size, size);
    for (int i = 0; i < count; ++i) {
        const int a = Add(mesh, place(random), place(random), place(random));
        const int b = Add(mesh, place(random), place(random), place(random));
        const int c = Add(mesh, place(random), place(random), place(random));
        mesh.AddTriangle(a, b, c, 0, 0, 0);
    }
}

void AddGrid(MeshData& mesh, int cells, double size, double height) {
    const int first = mesh.vertexCount;
    for (int y = 0; y <= cells; ++y) {
        for (int x = 0; x <= cells; ++x) {
            Add(mesh, size * x / cells - size / 2, size * y / cells - size / 2, height);
        }
    }
    auto at = [&](int x, int y) { return first + y * (cells + 1) + x; };
    for (int y = 0; y < cells; ++y) {
        for (int x = 0; x < cells; ++x) {
            Quad(mesh, at(x, y), at(x + 1, y), at(x + 1, y + 1), at(x, y + 1));
        }
    }
}

void AddDegenerateTriangles(MeshData& mesh, uint32_t seed) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> place(-20, 20);
    for (int i = 0; i < 6; ++i) {
        const double x = place(random), y = place(random), z = place(random);
        const int a = Add(mesh, x, y, z);
        const int b = Add(mesh, x + 3, y + 1, z - 2);
        const int c = Add(mesh, x + 6, y + 2, z - 4);  // on the line through a and b
        mesh.AddTriangle(a, b, c, 0, 0, 0);
        mesh.AddTriangle(a, a, b, 0, 0, 0);
        // A sliver: nearly on a line.
        const int d = Add(mesh, x + 3, y + 1.0001, z - 2);
        mesh.AddTriangle(a, d, c, 0, 0, 0);
    }
}

void ScrambleWinding(MeshData& mesh, uint32_t seed) {
    std::mt19937 random(seed);
    for (int t = 0; t < mesh.TriangleCount(); ++t) {
        if (random() & 1) {
            mesh.ReverseTriangle(t);
        }
    }
}
