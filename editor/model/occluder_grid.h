#pragma once
// Which triangles might block a sight line from one viewpoint. Every triangle's bounding box,
// widened by a margin that covers rounding in the ray test, is projected through the viewpoint
// onto a plane (straight lines stay straight) and entered in the cells of a grid it covers. A
// sight line can only be blocked by triangles listed in the cell its direction falls in, or by
// the few triangles that cannot be projected safely, which are always listed. The grid only
// narrows the search; the ray test itself decides, so results match testing every triangle.

#include <vector>

#include "scene/vector.h"

namespace editor::model {

using namespace ::scene;

class MeshData;

class OccluderGrid {
  public:
    OccluderGrid(const MeshData& mesh, const Vector& viewpoint);

    // Calls visit(s) for every triangle that might block a sight line along direction (unit
    // length) from the viewpoint; some triangles may be visited that cannot block it.
    template <class Visit>
    void ForEachCandidate(const Vector& direction, Visit visit) const {
        int cell = -1;
        if (!CellOf(direction, cell)) {
            for (int s = 0; s < triangleCount_; ++s) {
                visit(s);
            }
            return;
        }
        if (cell >= 0) {
            for (int i = cellStart_[cell]; i < cellStart_[cell + 1]; ++i) {
                visit(cellTriangles_[i]);
            }
        }
        for (int s : alwaysTested_) {
            visit(s);
        }
    }

  private:
    struct Box2 {
        double minA, minB, maxA, maxB;
    };

    // False when direction cannot be placed on the grid (every triangle must be tested);
    // otherwise cell is the grid cell, or -1 when it lies outside the grid.
    bool CellOf(const Vector& direction, int& cell) const;
    bool Project(double x, double y, double z, double& a, double& b) const;
    bool ProjectTriangleBox(const MeshData& mesh, int t, Box2& box) const;
    void BuildCells(const std::vector<Box2>& boxes, std::vector<int>& gridded);
    int Column(double a) const;
    int Row(double b) const;

    int triangleCount_ = 0;
    double px_ = 0, py_ = 0, pz_ = 0;
    double axis_[3] = {0, 0, 1};
    double across_[3] = {1, 0, 0};
    double up_[3] = {0, 1, 0};
    bool usable_ = false;
    Box2 bounds_{0, 0, 0, 0};
    int columns_ = 0;
    int rows_ = 0;
    std::vector<int> cellStart_;
    std::vector<int> cellTriangles_;
    std::vector<int> alwaysTested_;
};

}  // namespace editor::model
