#include "editor/groups/triangles_around.h"

#include "editor/groups/group_display.h"
#include "editor/model/mesh_data.h"
#include "editor/model/triangle_adjacency.h"

namespace editor::groups {

using namespace ::editor::model;

VertexSet CornersOf(const MeshData& mesh, const TriangleSet& set) {
    VertexSet corners;
    ForEachRun(set, mesh.TriangleCount(), [&](int first, int count) {
        for (int t = first; t < first + count; ++t) {
            int a = 0, b = 0, c = 0;
            if (mesh.GetTriangle(t, a, b, c)) {
                corners.SetBit(a);
                corners.SetBit(b);
                corners.SetBit(c);
            }
        }
    });
    return corners;
}

TriangleSet TrianglesWithCorners(const MeshData& mesh, const VertexSet& vertices) {
    TriangleSet result;
    const TriangleAdjacency adjacency(mesh);
    for (int v = vertices.FindSetRun(0, 1); v >= 0 && v < mesh.vertexCount;
         v = vertices.FindSetRun(v + 1, 1)) {
        for (int t : adjacency.TrianglesAt(v)) {
            result.SetBit(t);
        }
    }
    return result;
}

TriangleSet NearNeighbours(const MeshData& mesh, const TriangleSet& set) {
    const VertexSet corners = CornersOf(mesh, set);
    VertexSet near;
    for (int v = corners.FindSetRun(0, 1); v >= 0 && v < mesh.vertexCount;
         v = corners.FindSetRun(v + 1, 1)) {
        for (int w = mesh.FindVertex(mesh.vertices[v], 0, NEAR_NEIGHBOUR_TOLERANCE); w >= 0;
             w = mesh.FindVertex(mesh.vertices[v], w + 1, NEAR_NEIGHBOUR_TOLERANCE)) {
            near.SetBit(w);
        }
    }
    return TrianglesWithCorners(mesh, near);
}

}  // namespace editor::groups
