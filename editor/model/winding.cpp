#include "editor/model/winding.h"

#include "editor/model/mesh_data.h"
#include "editor/model/triangle_adjacency.h"
#include "flexmodel/vertex_normals.h"

namespace editor::model {

using namespace ::flexmodel;

namespace {

struct Corners {
    int v[3] = {};
    bool Has(int vertex) const { return v[0] == vertex || v[1] == vertex || v[2] == vertex; }
    bool HasDirectedEdge(int from, int to) const {
        for (int k = 0; k < 3; ++k) {
            if (v[k] == from && v[(k + 1) % 3] == to) {
                return true;
            }
        }
        return false;
    }
};

Corners CornersOf(const MeshData& mesh, int t) {
    Corners c;
    mesh.GetTriangle(t, c.v[0], c.v[1], c.v[2]);
    return c;
}

bool HasEdge(const Corners& c, int p, int q) {
    return c.Has(p) && c.Has(q);
}

Vector TableNormal(int index) {
    if (index < 0 || index >= NUM_VERTEX_NORMALS) {
        return Vector(0.0, 0.0, 0.0);
    }
    return Vector(VERTEX_NORMALS[index].data());
}

// The candidates sharing an edge with t, the way the orientation walk visits them: first those
// with corner a and b or c, then those with corners b and c.
template <class Visit>
void ForEachEdgeCandidate(const MeshData& mesh, const TriangleAdjacency& adjacency, int t,
                          const Corners& c, TriangleSet& candidates, Visit visit) {
    for (int n : adjacency.TrianglesAt(c.v[0])) {
        if (n != t && candidates.Test(n)) {
            const Corners other = CornersOf(mesh, n);
            if (other.Has(c.v[1]) || other.Has(c.v[2])) {
                visit(n);
            }
        }
    }
    for (int n : adjacency.TrianglesAt(c.v[1])) {
        if (n != t && candidates.Test(n) && CornersOf(mesh, n).Has(c.v[2])) {
            visit(n);
        }
    }
}

// Each triangle leaves the candidates the first time it is reached, so the depth of the walk
// is bounded by the number of triangles.
bool OrientFrom(MeshData& mesh, const TriangleAdjacency& adjacency, int t, TriangleSet& candidates,
                TriangleRecord* records) {
    const Corners c = CornersOf(mesh, t);
    bool reached = false;
    ForEachEdgeCandidate(mesh, adjacency, t, c, candidates, [&](int n) {
        if (!candidates.Test(n)) {
            return;
        }
        MatchWinding(mesh, n, t, records);
        candidates.ClearBit(n);
        reached = true;
        OrientFrom(mesh, adjacency, n, candidates, records);
    });
    return reached;
}

}  // namespace

void ReverseWinding(MeshData& mesh, int t, TriangleRecord* record) {
    if (mesh.ReverseTriangle(t) && record != nullptr) {
        UpdateTriangleRecord(mesh, t, *record);
    }
}

void ReverseAllTriangles(MeshData& mesh) {
    const int count = mesh.TriangleCount();
    for (int t = 0; t < count; ++t) {
        mesh.ReverseTriangle(t);
    }
}

int MatchWinding(MeshData& mesh, int t, int r, TriangleRecord* records) {
    const Corners reference = CornersOf(mesh, r);
    const Corners triangle = CornersOf(mesh, t);
    for (int k = 0; k < 3; ++k) {
        if (triangle.HasDirectedEdge(reference.v[k], reference.v[(k + 1) % 3])) {
            ReverseWinding(mesh, t, records != nullptr ? &records[t] : nullptr);
            return 1;
        }
    }
    return 0;
}

void OrientByNormals(MeshData& mesh, int t) {
    int a = 0, b = 0, c = 0;
    if (mesh.normalIndices == nullptr || !mesh.GetTriangle(t, a, b, c)) {
        return;
    }
    const TriangleRecord record =
        MakeTriangleRecord(mesh.vertices[a], mesh.vertices[b], mesh.vertices[c]);
    Vector sum = TableNormal(mesh.normalIndices[a]);
    sum.AddInPlace(TableNormal(mesh.normalIndices[b]));
    sum.AddInPlace(TableNormal(mesh.normalIndices[c]));
    const Vector tip = Vector::Add(mesh.vertices[c], sum);
    if (record.normal.Dot(Vector::Subtract(tip, record.centre)) < 0.0) {
        ReverseWinding(mesh, t, nullptr);
    }
}

int TriangleNeighbours(const MeshData& mesh, int t, int* list, int capacity) {
    return TriangleNeighbours(mesh, TriangleAdjacency(mesh), t, list, capacity);
}

int TriangleNeighbours(const MeshData& mesh, const TriangleAdjacency& adjacency, int t, int* list,
                       int capacity) {
    const Corners c = CornersOf(mesh, t);
    if (t < 0 || t >= mesh.TriangleCount()) {
        return 0;
    }
    int count = 0;
    for (int k = 0; k < 3; ++k) {
        const int p = c.v[k];
        const int q = c.v[(k + 1) % 3];
        for (int n : adjacency.TrianglesAt(p)) {
            if (n != t && HasEdge(CornersOf(mesh, n), p, q)) {
                if (count < capacity) {
                    list[count] = n;
                }
                ++count;
            }
        }
    }
    return count;
}

int OrientNeighbours(MeshData& mesh, int t, TriangleSet& candidates, TriangleRecord* records) {
    return OrientNeighbours(mesh, TriangleAdjacency(mesh), t, candidates, records);
}

int OrientNeighbours(MeshData& mesh, const TriangleAdjacency& adjacency, int t,
                     TriangleSet& candidates, TriangleRecord* records) {
    if (t < 0 || t >= mesh.TriangleCount()) {
        return 0;
    }
    // The seed is the reference the others are made to agree with; it never changes.
    candidates.ClearBit(t);
    return OrientFrom(mesh, adjacency, t, candidates, records) ? 1 : 0;
}

}  // namespace editor::model
