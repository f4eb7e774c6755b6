#include "editor/groups/triangles_around.h"

#include "editor/model/fixed_bit_sets.h"
#include "editor/model/mesh_data.h"
#include "editor/model/triangle_adjacency.h"

namespace editor::groups {

using namespace ::editor::model;

VertexSet CornersOf(const MeshData& mesh, const TriangleSet& set) {
    VertexSet corners;
    set.ForEachSet(
        [&](int t) {
            int a = 0, b = 0, c = 0;
            if (mesh.GetTriangle(t, a, b, c)) {
                corners.SetBit(a);
                corners.SetBit(b);
                corners.SetBit(c);
            }
        },
        mesh.TriangleCount());
    return corners;
}

TriangleSet TrianglesWithCorners(const MeshData& mesh, const VertexSet& vertices) {
    TriangleSet result;
    const TriangleAdjacency adjacency(mesh);
    vertices.ForEachSet(
        [&](int v) {
            for (int t : adjacency.TrianglesAt(v)) {
                result.SetBit(t);
            }
        },
        mesh.vertexCount);
    return result;
}

TriangleSet NearNeighbours(const MeshData& mesh, const TriangleSet& set) {
    const VertexSet corners = CornersOf(mesh, set);
    VertexSet near;
    corners.ForEachSet(
        [&](int v) {
            for (int w = mesh.FindVertex(mesh.vertices[v], 0, NEAR_NEIGHBOUR_TOLERANCE); w >= 0;
                 w = mesh.FindVertex(mesh.vertices[v], w + 1, NEAR_NEIGHBOUR_TOLERANCE)) {
                near.SetBit(w);
            }
        },
        mesh.vertexCount);
    return TrianglesWithCorners(mesh, near);
}

}  // namespace editor::groups
