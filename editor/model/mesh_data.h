#pragma once

#include <cstdint>
#include <memory>

#include "editor/model/capacities.h"
#include "editor/model/fixed_bit_sets.h"
#include "scene/vector.h"

namespace editor::model {

using namespace ::scene;

class TriangleGroupTable;

// {3, a, b, c} per triangle and one 0 word after the last.
constexpr int FACE_RECORD_WORDS = 4;
constexpr int FACE_LIST_WORDS = MAX_MESH_ELEMENTS * FACE_RECORD_WORDS + 1;
constexpr int NORMAL_INDEX_COUNT = MAX_MESH_ELEMENTS;

// Skin coordinates in texels of a 256 x 256 skin; w is carried along unread.
struct TexVertex {
    float u = 0.0f;
    float v = 0.0f;
    float w = 0.0f;
};

// The fixed-capacity geometry of one mesh. The face lists are kept in the layout that shapes take
// directly ({3, a, b, c} records followed by a 0 word), so drawing needs no conversion.
//
// Invariants: both face lists end with a 0 word right after faceCount records; indices in faces
// are below vertexCount. A mesh whose first record does not start with 3 is treated as holding
// no triangles. Accessors refuse any index outside the data in use.
class MeshData {
  public:
    MeshData();
    ~MeshData();
    MeshData(const MeshData&) = delete;
    MeshData& operator=(const MeshData&) = delete;

    // Empties the geometry and the groups (the group table itself stays), drops the normal
    // table, and marks the winding as consistent.
    void Clear();
    // Copies counts, vertices, texture vertices, both face lists, usedVertices and oriented; the
    // group table and the normal table are left alone.
    void CopyGeometryFrom(const MeshData& other);

    // The new vertex's index, or -1 when the mesh is full.
    int AddVertex(const Vector& point);
    int GetVertex(int i, Vector& point) const;
    // First vertex at or after start closer than |tolerance| to point (exactly equal when the
    // tolerance is 0); -1 when none.
    int FindVertex(const Vector& point, int start, double tolerance) const;

    // The new triangle's index; -1 when a corner is not a vertex or the mesh is full; 0 when the
    // face list does not hold triangles. Texture indices are stored unchecked.
    int AddTriangle(int a, int b, int c, int ta, int tb, int tc);
    int GetTriangle(int i, int& a, int& b, int& c) const;
    int GetTexTriangle(int i, int& ta, int& tb, int& tc) const;
    bool IsTriangleList() const;
    int TriangleCount() const;
    // Exchanges the first and third corner of triangle i in faces and texFaces.
    bool ReverseTriangle(int i);
    // Negates one coordinate (0 x, 1 y, 2 z) of every vertex in use.
    bool NegateCoordinate(int axis);

    int FindTriangleByVertices(int a, int b, int c) const;
    // Advances cursor (start at -1) to the next triangle with corner v: 1, or 0 with cursor -1.
    int NextTriangleWithVertex(int& cursor, int v) const;

    // Edge e runs from corner e % 3 to corner (e % 3 + 1) % 3 of triangle e / 3.
    int EdgeCount() const;
    int GetEdge(int e, int& p, int& q) const;
    int FindEdge(int p, int q) const;
    // Advances cursor to the next edge joining p and q either way; -1 (and cursor -1) when none.
    int NextEdge(int& cursor, int p, int q) const;
    // Advances cursor to the next edge touching p and returns its other end; -1 at the end.
    int NextNeighbour(int& cursor, int p) const;

    bool AllocNormalIndices();
    void ReleaseNormalIndices();

    int32_t vertexCount = 0;
    int32_t faceCount = 0;
    int32_t texVertexCount = 0;
    Vector vertices[MAX_MESH_ELEMENTS];
    TexVertex texVertices[MAX_MESH_ELEMENTS];
    int32_t faces[FACE_LIST_WORDS] = {};
    int32_t texFaces[FACE_LIST_WORDS] = {};
    VertexSet usedVertices;
    uint32_t oriented = 1;
    uint32_t reserved[3] = {};
    // Only the model's and the prop's meshes have one.
    std::unique_ptr<TriangleGroupTable> groupTable;
    // Quantized vertex normals (indices into the 162-entry normal table) while an import that
    // supplies them runs; null otherwise.
    std::unique_ptr<uint8_t[]> normalIndices;

  private:
    const int32_t* Record(int i) const { return faces + i * FACE_RECORD_WORDS; }
    const int32_t* TexRecord(int i) const { return texFaces + i * FACE_RECORD_WORDS; }
    bool HasCorner(int t, int v) const;
};

}  // namespace editor::model
