#pragma once
// A bounding-volume tree over a mesh's triangle records for nearest-hit questions along rays.
// The tree only decides which triangles to test; every test is the ray test of the records, so
// answers are those of testing all triangles one by one.

#include <span>
#include <vector>

#include "editor/model/triangle_record.h"

namespace editor::groups {

using namespace ::editor::model;
using namespace ::scene;

class TriangleRayIndex {
  public:
    // records must outlive the index.
    explicit TriangleRayIndex(std::span<const TriangleRecord> records);

    // True when the ray test of some triangle other than skip meets the ray from origin along
    // direction at a point strictly nearer to origin than distance.
    bool HitNearer(const Vector& origin, const Vector& direction, double distance, int skip) const;

  private:
    struct Box {
        double lo[3];
        double hi[3];
    };
    struct Node {
        Box box;
        int first;  // leaf: first entry of order_; inner: index of the left child
        int count;  // leaf: number of triangles; inner: 0 (right child follows the left subtree)
        int right;
    };

    int Build(int first, int count, const std::vector<Box>& boxes);
    bool NearerIn(int triangle, const Vector& origin, const Vector& direction, double distance,
                  int skip) const;

    std::span<const TriangleRecord> records_;
    std::vector<Node> nodes_;
    std::vector<int> order_;
    // Triangles whose accepted region cannot be bounded: tested for every ray.
    std::vector<int> unbounded_;
    double margin_ = 0.0;
};

}  // namespace editor::groups
