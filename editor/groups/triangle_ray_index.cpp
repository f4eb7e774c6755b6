#include "editor/groups/triangle_ray_index.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace editor::groups {

using namespace ::editor::model;
using namespace ::scene;

namespace {

constexpr int LEAF_SIZE = 4;
// Slack for float rounding of hit points: boxes grow by this much per unit of coordinate size.
constexpr double RELATIVE_MARGIN = 1e-4;
// Corner systems closer to singular than this give regions too thin to bound reliably.
constexpr double MIN_DETERMINANT = 1e-6;

struct Plane {
    double n[3];
    double d;
};

Plane PlaneOf(const Vector& normal, double offset) {
    return {{normal.x, normal.y, normal.z}, offset};
}

double Dot(const double a[3], const double b[3]) {
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

void Cross(const double a[3], const double b[3], double out[3]) {
    out[0] = a[1] * b[2] - a[2] * b[1];
    out[1] = a[2] * b[0] - a[0] * b[2];
    out[2] = a[0] * b[1] - a[1] * b[0];
}

// The point on all three planes; false when they are (nearly) parallel.
bool MeetingPoint(const Plane& p, const Plane& q, const Plane& r, double out[3]) {
    double qr[3], rp[3], pq[3];
    Cross(q.n, r.n, qr);
    Cross(r.n, p.n, rp);
    Cross(p.n, q.n, pq);
    const double det = Dot(p.n, qr);
    if (!(std::fabs(det) >= MIN_DETERMINANT)) {
        return false;
    }
    for (int i = 0; i < 3; ++i) {
        out[i] = (p.d * qr[i] + q.d * rp[i] + r.d * pq[i]) / det;
    }
    return std::isfinite(out[0]) && std::isfinite(out[1]) && std::isfinite(out[2]);
}

// The points the ray test accepts for a record lie on its plane inside its three edge planes, on
// the side of each that holds the centre. That region is the triangle of the planes' meeting
// points when the centre lies inside it; otherwise (or when an edge plane passes through the
// centre and so imposes nothing) it is unbounded.
bool AcceptedRegionCorners(const TriangleRecord& record, double corners[3][3]) {
    const Plane face = PlaneOf(record.normal, record.planeOffset);
    Plane edges[3];
    double centreSides[3];
    for (int i = 0; i < 3; ++i) {
        edges[i] = PlaneOf(record.edgeNormals[i], record.edgeOffsets[i]);
        centreSides[i] = record.edgeNormals[i].Dot(record.centre) - record.edgeOffsets[i];
        if (!(centreSides[i] != 0.0) || !std::isfinite(centreSides[i])) {
            return false;
        }
    }
    for (int i = 0; i < 3; ++i) {
        // Corner i lies opposite edge i, where the other two edge planes meet.
        if (!MeetingPoint(face, edges[(i + 1) % 3], edges[(i + 2) % 3], corners[i])) {
            return false;
        }
        const double cornerSide = Dot(edges[i].n, corners[i]) - edges[i].d;
        if (!((cornerSide > 0.0) == (centreSides[i] > 0.0)) || cornerSide == 0.0) {
            return false;
        }
    }
    return true;
}

// Whether the segment of the ray with parameter in [0, limit] meets the box.
bool SegmentMeetsBox(const double origin[3], const double direction[3], double limit,
                     const double lo[3], const double hi[3]) {
    double enter = -1.0;
    double leave = limit;
    for (int axis = 0; axis < 3; ++axis) {
        if (direction[axis] == 0.0) {
            if (origin[axis] < lo[axis] || origin[axis] > hi[axis]) {
                return false;
            }
            continue;
        }
        double t1 = (lo[axis] - origin[axis]) / direction[axis];
        double t2 = (hi[axis] - origin[axis]) / direction[axis];
        if (t1 > t2) {
            std::swap(t1, t2);
        }
        enter = std::max(enter, t1);
        leave = std::min(leave, t2);
        if (enter > leave) {
            return false;
        }
    }
    return true;
}

}  // namespace

TriangleRayIndex::TriangleRayIndex(std::span<const TriangleRecord> records) : records_(records) {
    std::vector<Box> boxes(records.size());
    double extent = 0.0;
    for (std::size_t t = 0; t < records.size(); ++t) {
        const TriangleRecord& record = records[t];
        // A triangle without a normal is never hit.
        if (record.normal.x == 0.0f && record.normal.y == 0.0f && record.normal.z == 0.0f) {
            continue;
        }
        double corners[3][3];
        if (!AcceptedRegionCorners(record, corners)) {
            unbounded_.push_back(static_cast<int>(t));
            continue;
        }
        Box& box = boxes[t];
        for (int axis = 0; axis < 3; ++axis) {
            box.lo[axis] = std::min({corners[0][axis], corners[1][axis], corners[2][axis]});
            box.hi[axis] = std::max({corners[0][axis], corners[1][axis], corners[2][axis]});
            extent = std::max({extent, std::fabs(box.lo[axis]), std::fabs(box.hi[axis])});
        }
        order_.push_back(static_cast<int>(t));
    }
    margin_ = RELATIVE_MARGIN * (1.0 + extent);
    for (int t : order_) {
        for (int axis = 0; axis < 3; ++axis) {
            boxes[t].lo[axis] -= margin_;
            boxes[t].hi[axis] += margin_;
        }
    }
    if (!order_.empty()) {
        nodes_.reserve(2 * order_.size());
        Build(0, static_cast<int>(order_.size()), boxes);
    }
}

int TriangleRayIndex::Build(int first, int count, const std::vector<Box>& boxes) {
    const int index = static_cast<int>(nodes_.size());
    nodes_.push_back(Node{});
    Box bounds{{std::numeric_limits<double>::max(), std::numeric_limits<double>::max(),
                std::numeric_limits<double>::max()},
               {std::numeric_limits<double>::lowest(), std::numeric_limits<double>::lowest(),
                std::numeric_limits<double>::lowest()}};
    for (int i = first; i < first + count; ++i) {
        const Box& box = boxes[order_[i]];
        for (int axis = 0; axis < 3; ++axis) {
            bounds.lo[axis] = std::min(bounds.lo[axis], box.lo[axis]);
            bounds.hi[axis] = std::max(bounds.hi[axis], box.hi[axis]);
        }
    }
    nodes_[index].box = bounds;
    if (count <= LEAF_SIZE) {
        nodes_[index].first = first;
        nodes_[index].count = count;
        return index;
    }
    int axis = 0;
    for (int a = 1; a < 3; ++a) {
        if (bounds.hi[a] - bounds.lo[a] > bounds.hi[axis] - bounds.lo[axis]) {
            axis = a;
        }
    }
    auto centre = [&](int t) { return boxes[t].lo[axis] + boxes[t].hi[axis]; };
    const int half = count / 2;
    std::nth_element(order_.begin() + first, order_.begin() + first + half,
                     order_.begin() + first + count,
                     [&](int a, int b) { return centre(a) < centre(b); });
    const int left = Build(first, half, boxes);
    const int right = Build(first + half, count - half, boxes);
    nodes_[index].first = left;
    nodes_[index].count = 0;
    nodes_[index].right = right;
    return index;
}

bool TriangleRayIndex::NearerIn(int triangle, const Vector& origin, const Vector& direction,
                                double distance, int skip) const {
    if (triangle == skip) {
        return false;
    }
    Vector hit;
    return RayHitsTriangle(records_[triangle], origin, direction, hit) &&
           Vector::Subtract(hit, origin).Length() < distance;
}

bool TriangleRayIndex::HitNearer(const Vector& origin, const Vector& direction, double distance,
                                 int skip) const {
    for (int t : unbounded_) {
        if (NearerIn(t, origin, direction, distance, skip)) {
            return true;
        }
    }
    if (nodes_.empty() || !(distance > 0.0)) {
        return false;
    }
    const double from[3] = {origin.x, origin.y, origin.z};
    const double along[3] = {direction.x, direction.y, direction.z};
    const double length = std::sqrt(Dot(along, along));
    if (!(length > 0.0)) {
        return false;
    }
    // Hits count by their distance from origin; the ray's parameter runs at length per unit.
    const double limit = (distance + margin_) / length * (1.0 + RELATIVE_MARGIN);
    int stack[64];
    int depth = 0;
    stack[depth++] = 0;
    while (depth > 0) {
        const Node& node = nodes_[stack[--depth]];
        if (!SegmentMeetsBox(from, along, limit, node.box.lo, node.box.hi)) {
            continue;
        }
        if (node.count > 0) {
            for (int i = node.first; i < node.first + node.count; ++i) {
                if (NearerIn(order_[i], origin, direction, distance, skip)) {
                    return true;
                }
            }
            continue;
        }
        stack[depth++] = node.first;
        stack[depth++] = node.right;
    }
    return false;
}

}  // namespace editor::groups
