#include "flexmodel/nearest_normal.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <vector>

#include "flexmodel/vertex_normals.h"

namespace flexmodel {

namespace {

// Unit directions fall into a grid of CELLS^3 boxes over [-1, 1]^3. Each box near the unit
// sphere lists every table entry that can be nearest to some point of the box: those whose
// least distance to the box is not above the smallest greatest distance of any entry. The
// lists hold entries in table order, so the scan below sees ties in the same order as a scan
// of the whole table.
constexpr int CELLS = 32;
constexpr double CELL_SIZE = 2.0 / CELLS;
// Covers rounding in the bounds; a box keeps a few entries more, never one fewer.
constexpr double BOUND_MARGIN = 1e-6;

struct Box {
    std::array<double, 3> low;
    std::array<double, 3> high;
};

double Distance(double x, double y, double z, int entry) {
    const auto& n = VERTEX_NORMALS[entry];
    const double dx = x - n[0], dy = y - n[1], dz = z - n[2];
    return std::sqrt(dx * dx + dy * dy + dz * dz);
}

// The scan of the whole table does, over the listed entries only.
int NearestAmong(double x, double y, double z, const uint8_t* entries, int count) {
    // Unit vectors are never 100 apart, so this only means "nothing found yet".
    double best = 100.0;
    int bestIndex = 0;
    for (int k = 0; k < count; ++k) {
        const double distance = Distance(x, y, z, entries[k]);
        if (distance < best) {
            best = distance;
            bestIndex = entries[k];
        }
    }
    return bestIndex;
}

double LeastDistance(const Box& box, const std::array<float, 3>& n) {
    double sum = 0.0;
    for (int axis = 0; axis < 3; ++axis) {
        const double nearest = std::clamp<double>(n[axis], box.low[axis], box.high[axis]);
        sum += (n[axis] - nearest) * (n[axis] - nearest);
    }
    return std::sqrt(sum);
}

double GreatestDistance(const Box& box, const std::array<float, 3>& n) {
    double sum = 0.0;
    for (int axis = 0; axis < 3; ++axis) {
        const double far =
            std::max(std::abs(n[axis] - box.low[axis]), std::abs(n[axis] - box.high[axis]));
        sum += far * far;
    }
    return std::sqrt(sum);
}

bool NearUnitSphere(const Box& box) {
    double least = 0.0, greatest = 0.0;
    for (int axis = 0; axis < 3; ++axis) {
        const double low = box.low[axis], high = box.high[axis];
        const double nearest = std::clamp(0.0, low, high);
        least += nearest * nearest;
        greatest += std::max(low * low, high * high);
    }
    return least <= 1.001 * 1.001 && greatest >= 0.999 * 0.999;
}

class CandidateGrid {
  public:
    CandidateGrid() {
        for (int cell = 0; cell < CELLS * CELLS * CELLS; ++cell) {
            begin_[cell] = static_cast<uint32_t>(entries_.size());
            const Box box = CellBox(cell);
            if (NearUnitSphere(box)) {
                AddCandidates(box);
            }
            count_[cell] = static_cast<uint16_t>(entries_.size() - begin_[cell]);
        }
    }

    // -1 when the direction lies in no listed box (outside the grid, or away from the sphere).
    int Nearest(double x, double y, double z) const {
        const int cell = CellOf(x, y, z);
        if (cell < 0 || count_[cell] == 0) {
            return -1;
        }
        return NearestAmong(x, y, z, entries_.data() + begin_[cell], count_[cell]);
    }

  private:
    static Box CellBox(int cell) {
        const int index[3] = {cell % CELLS, cell / CELLS % CELLS, cell / (CELLS * CELLS)};
        Box box;
        for (int axis = 0; axis < 3; ++axis) {
            box.low[axis] = -1.0 + index[axis] * CELL_SIZE - BOUND_MARGIN;
            box.high[axis] = -1.0 + (index[axis] + 1) * CELL_SIZE + BOUND_MARGIN;
        }
        return box;
    }

    static int CellOf(double x, double y, double z) {
        const double xyz[3] = {x, y, z};
        int index[3];
        for (int axis = 0; axis < 3; ++axis) {
            // Also false for NaN.
            if (!(xyz[axis] >= -1.0 && xyz[axis] <= 1.0)) {
                return -1;
            }
            index[axis] = std::min(CELLS - 1, static_cast<int>((xyz[axis] + 1.0) / CELL_SIZE));
        }
        return index[0] + CELLS * (index[1] + CELLS * index[2]);
    }

    void AddCandidates(const Box& box) {
        double bound = 100.0;
        for (int i = 0; i < NUM_VERTEX_NORMALS; ++i) {
            bound = std::min(bound, GreatestDistance(box, VERTEX_NORMALS[i]));
        }
        for (int i = 0; i < NUM_VERTEX_NORMALS; ++i) {
            if (LeastDistance(box, VERTEX_NORMALS[i]) <= bound + BOUND_MARGIN) {
                entries_.push_back(static_cast<uint8_t>(i));
            }
        }
    }

    std::vector<uint8_t> entries_;
    std::array<uint32_t, CELLS * CELLS * CELLS> begin_{};
    std::array<uint16_t, CELLS * CELLS * CELLS> count_{};
};

int NearestInWholeTable(double x, double y, double z) {
    static const std::array<uint8_t, NUM_VERTEX_NORMALS> everyEntry = [] {
        std::array<uint8_t, NUM_VERTEX_NORMALS> entries{};
        for (int i = 0; i < NUM_VERTEX_NORMALS; ++i) {
            entries[i] = static_cast<uint8_t>(i);
        }
        return entries;
    }();
    return NearestAmong(x, y, z, everyEntry.data(), NUM_VERTEX_NORMALS);
}

}  // namespace

int NearestVertexNormal(double x, double y, double z) {
    const double length = std::sqrt(x * x + y * y + z * z);
    if (length > 0.0 && std::isfinite(length)) {
        x = static_cast<float>(x / length);
        y = static_cast<float>(y / length);
        z = static_cast<float>(z / length);
    }
    static const CandidateGrid grid;
    const int nearest = grid.Nearest(x, y, z);
    return nearest >= 0 ? nearest : NearestInWholeTable(x, y, z);
}

}  // namespace flexmodel
