#pragma once
// Meshes for the winding tests and benchmarks: closed and open, wound at random.

#include <cstdint>

namespace editor::model {
class MeshData;
}
using editor::model::MeshData;

// A sphere of bands x sectors quads (2 x sectors x (bands - 1) triangles) at centre, each
// radius scaled by a random factor in [1 - bumpiness, 1 + bumpiness].
void AddSphere(MeshData& mesh, double cx, double cy, double cz, double radius, int bands,
               int sectors, double bumpiness, uint32_t seed);
// A closed ring: a torus of rings x sides quads.
void AddTorus(MeshData& mesh, double cx, double cy, double cz, double major, double minor,
              int rings, int sides);
// count triangles with random corners inside a box of the given size; few share edges.
void AddTriangleSoup(MeshData& mesh, int count, double size, uint32_t seed);
// A flat grid of cells x cells quads in the plane z = height, open at its border.
void AddGrid(MeshData& mesh, int cells, double size, double height);
// Triangles with a repeated corner or three corners on a line.
void AddDegenerateTriangles(MeshData& mesh, uint32_t seed);
// Reverses about half of the triangles, chosen at random.
void ScrambleWinding(MeshData& mesh, uint32_t seed);
