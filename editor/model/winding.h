#pragma once
// Triangle winding: reversing triangles, making neighbours agree, and orienting by the normals
// a file supplied. A triangle's normal follows its corners' order; outward-facing triangles are
// what the editor draws and exports.

#include "editor/model/fixed_bit_sets.h"
#include "editor/model/triangle_record.h"

namespace editor::model {

class MeshData;
class TriangleAdjacency;

// Exchanges the first and third corner of triangle t in faces and texFaces, and recomputes its
// record when one is given.
void ReverseWinding(MeshData& mesh, int t, TriangleRecord* record);
void ReverseAllTriangles(MeshData& mesh);

// Reverses t when it runs an edge it shares with r in the same direction as r does; 1 when it
// reversed t. records (one per triangle) may be none.
int MatchWinding(MeshData& mesh, int t, int r, TriangleRecord* records);

// Reverses t when its normal points against the sum of its corners' normals from the mesh's
// normal-index table. Nothing happens without a table.
void OrientByNormals(MeshData& mesh, int t);

// The triangles sharing an edge of t, per edge in corner order (a triangle may be listed once
// per shared edge). Returns the full count; only the first capacity entries are stored.
int TriangleNeighbours(const MeshData& mesh, int t, int* list, int capacity);
int TriangleNeighbours(const MeshData& mesh, const TriangleAdjacency& adjacency, int t, int* list,
                       int capacity);

// Walks from t across shared edges through the candidates: every candidate reached is made to
// agree with the triangle it was reached from and leaves the set. t itself never changes.
// 1 when at least one candidate was reached.
int OrientNeighbours(MeshData& mesh, int t, TriangleSet& candidates, TriangleRecord* records);
int OrientNeighbours(MeshData& mesh, const TriangleAdjacency& adjacency, int t,
                     TriangleSet& candidates, TriangleRecord* records);

}  // namespace editor::model
