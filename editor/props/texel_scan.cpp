#include "editor/props/texel_scan.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "editor/model/mesh_data.h"

namespace editor::props {

using namespace ::editor::model;

namespace {

// Corners far outside the skin are pulled in to this range so that the integer arithmetic of
// the scan cannot overflow; such rows and columns are skipped anyway.
constexpr double COORDINATE_LIMIT = 1.0e6;
// Stands in for a zero column difference so that a vertical edge never divides by zero.
constexpr double VERTICAL_NUDGE = 0.0001;

struct Corner {
    int column;
    int row;
};

int RoundTexel(double c) {
    return static_cast<int>(std::clamp(c, -COORDINATE_LIMIT, COORDINATE_LIMIT) + 0.5);
}

Corner Rounded(TexelPoint p) {
    return {RoundTexel(p.u), RoundTexel(p.v)};
}

void SetRowSpan(TexelSet& texels, int row, int left, int right) {
    if (row < 0 || row >= SKIN_SIDE) {
        return;
    }
    left = std::max(left, 0);
    right = std::min(right, SKIN_SIDE - 1);
    if (left <= right) {
        texels.SetRange(row * SKIN_SIDE + left, right - left + 1);
    }
}

// Column where the edge from `from` to `to` crosses row.
double EdgeColumnAt(Corner from, Corner to, int row) {
    double dx = to.column - from.column;
    if (dx == 0.0) {
        dx = VERTICAL_NUDGE;
    }
    const double slope = (to.row - from.row) / dx;
    return from.column + (row - from.row) / slope;
}

// A triangle whose corners a and b share a row: every row from the lone corner's row to the
// shared row is filled between the two edges that leave the lone corner.
void FillFlatTriangle(TexelSet& texels, Corner lone, Corner a, Corner b) {
    if (a.row == lone.row) {
        // All three corners on one row.
        const int left = std::min({lone.column, a.column, b.column});
        const int right = std::max({lone.column, a.column, b.column});
        SetRowSpan(texels, lone.row, left, right);
        return;
    }
    const int step = a.row > lone.row ? 1 : -1;
    // Only the rows inside the skin can set anything.
    const int first = std::clamp(lone.row, -1, SKIN_SIDE);
    const int last = std::clamp(a.row, -1, SKIN_SIDE);
    for (int row = first;; row += step) {
        const int x0 = static_cast<int>(EdgeColumnAt(lone, a, row) + 0.5);
        const int x1 = static_cast<int>(EdgeColumnAt(lone, b, row) + 0.5);
        SetRowSpan(texels, row, std::min(x0, x1), std::max(x0, x1));
        if (row == last) {
            break;
        }
    }
}

}  // namespace

void FillTexelTriangle(TexelSet& texels, TexelPoint a, TexelPoint b, TexelPoint c) {
    if (!std::isfinite(a.u + a.v + b.u + b.v + c.u + c.v)) {
        return;
    }
    Corner corners[3] = {Rounded(a), Rounded(b), Rounded(c)};
    std::sort(corners, corners + 3, [](Corner p, Corner q) { return p.row < q.row; });
    const Corner top = corners[0], middle = corners[1], bottom = corners[2];
    if (top.row == middle.row) {
        FillFlatTriangle(texels, bottom, top, middle);
        return;
    }
    if (middle.row == bottom.row) {
        FillFlatTriangle(texels, top, middle, bottom);
        return;
    }
    // Cut at the middle corner's row; the cut point lies on the long edge.
    const Corner cut{static_cast<int>(EdgeColumnAt(top, bottom, middle.row) + 0.5), middle.row};
    FillFlatTriangle(texels, top, middle, cut);
    FillFlatTriangle(texels, bottom, middle, cut);
}

void MarkTexels(TexelSet& texels, const MeshData& mesh, TexelPoint origin, double scale) {
    const auto scaled = [&](const TexVertex& t) {
        return TexelPoint{(t.u - origin.u) * scale + origin.u, (t.v - origin.v) * scale + origin.v};
    };
    for (int i = 0; i < mesh.TriangleCount(); ++i) {
        int ta, tb, tc;
        if (!mesh.GetTexTriangle(i, ta, tb, tc)) {
            continue;
        }
        const int count = std::clamp<int>(mesh.texVertexCount, 0, MAX_MESH_ELEMENTS);
        if (std::min({ta, tb, tc}) < 0 || std::max({ta, tb, tc}) >= count) {
            continue;
        }
        FillTexelTriangle(texels, scaled(mesh.texVertices[ta]), scaled(mesh.texVertices[tb]),
                          scaled(mesh.texVertices[tc]));
    }
}

}  // namespace editor::props
