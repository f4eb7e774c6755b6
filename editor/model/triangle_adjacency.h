#pragma once
// The triangles around each vertex, in ascending order, so that searches for triangles sharing
// a corner or an edge look at a handful of triangles instead of the whole list. Reversing a
// triangle keeps its corners, so the table stays valid through winding changes.

#include <vector>

namespace editor::model {

class MeshData;

class TriangleAdjacency {
  public:
    explicit TriangleAdjacency(const MeshData& mesh);

    // Triangles with corner v (each once), ascending; empty for an index outside the mesh.
    const std::vector<int>& TrianglesAt(int v) const;

  private:
    std::vector<std::vector<int>> around_;
    std::vector<int> none_;
};

}  // namespace editor::model
