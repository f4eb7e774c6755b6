#include "editor/model/occluder_grid.h"

#include <algorithm>
#include <cmath>

#include "editor/model/mesh_data.h"

namespace editor::model {

namespace {

// Below this sine of its smallest angle a triangle's edge planes may, through rounding, admit
// hits well outside it: such slivers are always tested.
constexpr double MIN_ANGLE_SINE = 1e-3;
// Projected points must lie well in front of the viewpoint (within about 84 degrees of the
// axis); sight lines further off test every triangle.
constexpr double MIN_DEPTH_RATIO = 0.1;
constexpr double MIN_SIGHT_DEPTH = 0.2;
// A triangle covering more cells than this is cheaper to test always.
constexpr int MAX_CELLS_PER_TRIANGLE = 256;
constexpr int MAX_GRID_SIDE = 256;

struct Point3 {
    double x, y, z;
};

Point3 Sub(const Point3& a, const Point3& b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
double Dot(const Point3& a, const Point3& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
double Len(const Point3& a) {
    return std::sqrt(Dot(a, a));
}
Point3 CrossP(const Point3& a, const Point3& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
Point3 FromVector(const Vector& v) {
    return {v.x, v.y, v.z};
}

bool WellShaped(const Point3 c[3]) {
    const double twiceArea = Len(CrossP(Sub(c[1], c[0]), Sub(c[2], c[0])));
    for (int k = 0; k < 3; ++k) {
        const double sides = Len(Sub(c[(k + 1) % 3], c[k])) * Len(Sub(c[(k + 2) % 3], c[k]));
        if (!(sides > 0.0) || !(twiceArea >= MIN_ANGLE_SINE * sides)) {
            return false;
        }
    }
    return true;
}

}  // namespace

OccluderGrid::OccluderGrid(const MeshData& mesh, const Vector& viewpoint)
    : triangleCount_(mesh.TriangleCount()), px_(viewpoint.x), py_(viewpoint.y), pz_(viewpoint.z) {
    double lo[3] = {INFINITY, INFINITY, INFINITY};
    double hi[3] = {-INFINITY, -INFINITY, -INFINITY};
    for (int t = 0; t < triangleCount_; ++t) {
        int corners[3];
        mesh.GetTriangle(t, corners[0], corners[1], corners[2]);
        for (int v : corners) {
            const double p[3] = {mesh.vertices[v].x, mesh.vertices[v].y, mesh.vertices[v].z};
            for (int i = 0; i < 3; ++i) {
                lo[i] = std::min(lo[i], p[i]);
                hi[i] = std::max(hi[i], p[i]);
            }
        }
    }
    const Point3 toCentre{(lo[0] + hi[0]) / 2 - px_, (lo[1] + hi[1]) / 2 - py_,
                          (lo[2] + hi[2]) / 2 - pz_};
    const double distance = Len(toCentre);
    if (triangleCount_ == 0 || !std::isfinite(distance) || distance == 0.0) {
        return;
    }
    const Point3 axis{toCentre.x / distance, toCentre.y / distance, toCentre.z / distance};
    const Point3 helper = std::fabs(axis.x) < 0.6 ? Point3{1, 0, 0} : Point3{0, 1, 0};
    Point3 across = CrossP(axis, helper);
    const double acrossLength = Len(across);
    across = {across.x / acrossLength, across.y / acrossLength, across.z / acrossLength};
    const Point3 up = CrossP(axis, across);
    axis_[0] = axis.x, axis_[1] = axis.y, axis_[2] = axis.z;
    across_[0] = across.x, across_[1] = across.y, across_[2] = across.z;
    up_[0] = up.x, up_[1] = up.y, up_[2] = up.z;
    usable_ = true;

    std::vector<Box2> boxes(triangleCount_);
    std::vector<int> gridded;
    for (int t = 0; t < triangleCount_; ++t) {
        if (ProjectTriangleBox(mesh, t, boxes[t])) {
            gridded.push_back(t);
        } else {
            alwaysTested_.push_back(t);
        }
    }
    BuildCells(boxes, gridded);
}

bool OccluderGrid::Project(double x, double y, double z, double& a, double& b) const {
    const double dx = x - px_, dy = y - py_, dz = z - pz_;
    const double depth = axis_[0] * dx + axis_[1] * dy + axis_[2] * dz;
    const double length = std::sqrt(dx * dx + dy * dy + dz * dz);
    if (!(depth >= MIN_DEPTH_RATIO * length) || !(depth > 0.0)) {
        return false;
    }
    a = (across_[0] * dx + across_[1] * dy + across_[2] * dz) / depth;
    b = (up_[0] * dx + up_[1] * dy + up_[2] * dz) / depth;
    return std::isfinite(a) && std::isfinite(b);
}

// The triangle's bounding box, widened by a margin far larger than the rounding of a ray's hit
// point, projected corner by corner.
bool OccluderGrid::ProjectTriangleBox(const MeshData& mesh, int t, Box2& box) const {
    int index[3];
    mesh.GetTriangle(t, index[0], index[1], index[2]);
    Point3 c[3];
    double longest = 0.0, largest = 0.0;
    for (int k = 0; k < 3; ++k) {
        c[k] = FromVector(mesh.vertices[index[k]]);
        largest = std::max({largest, std::fabs(c[k].x), std::fabs(c[k].y), std::fabs(c[k].z)});
    }
    for (int k = 0; k < 3; ++k) {
        longest = std::max(longest, Len(Sub(c[(k + 1) % 3], c[k])));
    }
    if (!std::isfinite(largest) || !WellShaped(c)) {
        return false;
    }
    const double margin = 1e-3 * longest + 1e-5 * (1.0 + largest);
    double lo[3] = {c[0].x, c[0].y, c[0].z}, hi[3] = {c[0].x, c[0].y, c[0].z};
    for (int k = 1; k < 3; ++k) {
        const double p[3] = {c[k].x, c[k].y, c[k].z};
        for (int i = 0; i < 3; ++i) {
            lo[i] = std::min(lo[i], p[i]);
            hi[i] = std::max(hi[i], p[i]);
        }
    }
    box = {INFINITY, INFINITY, -INFINITY, -INFINITY};
    double nearest = INFINITY;
    for (int corner = 0; corner < 8; ++corner) {
        const double x = (corner & 1) ? hi[0] + margin : lo[0] - margin;
        const double y = (corner & 2) ? hi[1] + margin : lo[1] - margin;
        const double z = (corner & 4) ? hi[2] + margin : lo[2] - margin;
        double a = 0.0, b = 0.0;
        if (!Project(x, y, z, a, b)) {
            return false;
        }
        box = {std::min(box.minA, a), std::min(box.minB, b), std::max(box.maxA, a),
               std::max(box.maxB, b)};
        nearest = std::min(nearest, Len(Point3{x - px_, y - py_, z - pz_}));
    }
    // Covers the angle between a sight line and the rounded hit point on it.
    const double angular = 1e-6 + 1e-5 * (1.0 + largest) / nearest;
    box = {box.minA - angular, box.minB - angular, box.maxA + angular, box.maxB + angular};
    return true;
}

int OccluderGrid::Column(double a) const {
    const double f = (a - bounds_.minA) / (bounds_.maxA - bounds_.minA) * columns_;
    return std::clamp(static_cast<int>(std::floor(std::clamp(f, -1.0, columns_ + 1.0))), 0,
                      columns_ - 1);
}

int OccluderGrid::Row(double b) const {
    const double f = (b - bounds_.minB) / (bounds_.maxB - bounds_.minB) * rows_;
    return std::clamp(static_cast<int>(std::floor(std::clamp(f, -1.0, rows_ + 1.0))), 0, rows_ - 1);
}

void OccluderGrid::BuildCells(const std::vector<Box2>& boxes, std::vector<int>& gridded) {
    if (gridded.empty()) {
        usable_ = false;
        return;
    }
    bounds_ = boxes[gridded[0]];
    for (int t : gridded) {
        bounds_ = {std::min(bounds_.minA, boxes[t].minA), std::min(bounds_.minB, boxes[t].minB),
                   std::max(bounds_.maxA, boxes[t].maxA), std::max(bounds_.maxB, boxes[t].maxB)};
    }
    const int side = std::clamp(
        static_cast<int>(std::ceil(1.5 * std::sqrt(static_cast<double>(gridded.size())))), 1,
        MAX_GRID_SIDE);
    columns_ = rows_ = side;
    std::vector<int> counts(static_cast<std::size_t>(columns_) * rows_ + 1, 0);
    std::vector<int> kept;
    for (int t : gridded) {
        const int c0 = Column(boxes[t].minA), c1 = Column(boxes[t].maxA);
        const int r0 = Row(boxes[t].minB), r1 = Row(boxes[t].maxB);
        if ((c1 - c0 + 1) * (r1 - r0 + 1) > MAX_CELLS_PER_TRIANGLE) {
            alwaysTested_.push_back(t);
            continue;
        }
        kept.push_back(t);
        for (int r = r0; r <= r1; ++r) {
            for (int c = c0; c <= c1; ++c) {
                ++counts[r * columns_ + c];
            }
        }
    }
    cellStart_.assign(counts.size(), 0);
    for (std::size_t i = 1; i < counts.size(); ++i) {
        cellStart_[i] = cellStart_[i - 1] + counts[i - 1];
    }
    cellTriangles_.assign(cellStart_.back(), 0);
    std::vector<int> fill(cellStart_.begin(), cellStart_.end() - 1);
    for (int t : kept) {
        const int c0 = Column(boxes[t].minA), c1 = Column(boxes[t].maxA);
        const int r0 = Row(boxes[t].minB), r1 = Row(boxes[t].maxB);
        for (int r = r0; r <= r1; ++r) {
            for (int c = c0; c <= c1; ++c) {
                cellTriangles_[fill[r * columns_ + c]++] = t;
            }
        }
    }
    std::sort(alwaysTested_.begin(), alwaysTested_.end());
}

bool OccluderGrid::CellOf(const Vector& direction, int& cell) const {
    if (!usable_) {
        return false;
    }
    const double d[3] = {direction.x, direction.y, direction.z};
    const double depth = axis_[0] * d[0] + axis_[1] * d[1] + axis_[2] * d[2];
    if (!(depth >= MIN_SIGHT_DEPTH)) {
        return false;
    }
    const double a = (across_[0] * d[0] + across_[1] * d[1] + across_[2] * d[2]) / depth;
    const double b = (up_[0] * d[0] + up_[1] * d[1] + up_[2] * d[2]) / depth;
    if (!(a >= bounds_.minA && a <= bounds_.maxA && b >= bounds_.minB && b <= bounds_.maxB)) {
        cell = -1;
        return true;
    }
    cell = Row(b) * columns_ + Column(a);
    return true;
}

}  // namespace editor::model
