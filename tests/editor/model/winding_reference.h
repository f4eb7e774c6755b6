#pragma once
// The winding pass written the plain way: every sight line tested against every triangle and
// every neighbour search a scan of all triangles. Kept as the reference the fast pass must
// match triangle for triangle.

#include "editor/model/fixed_bit_sets.h"
#include "editor/model/triangle_record.h"

using namespace ::editor::model;

namespace editor::model {
class MeshData;
}

int ReferenceOrientVisibleTriangles(MeshData& mesh, const Vector& viewpoint,
                                    TriangleRecord* records, TriangleSet& remaining,
                                    bool onlyRemainingOcclude);
int ReferenceOrientNeighbours(MeshData& mesh, int t, TriangleSet& candidates,
                              TriangleRecord* records);
int ReferenceTriangleNeighbours(const MeshData& mesh, int t, int* list, int capacity);
bool ReferenceOrientByVisibility(MeshData& mesh);
