#include "editor/skeleton/body_slices.h"

#include "editor/skeleton/point_math.h"

namespace editor::skeleton {

using namespace points;

namespace {

// Shares of the mesh's height unless said otherwise.
// Enough points that a slice of a thin limb holds a few dozen of them.
constexpr int kSamples = 12000;
constexpr double kLowestLegSlice = 0.03;
constexpr double kHighestLegSlice = 0.6;
constexpr double kLegGap = 0.006;
constexpr double kGapSamples = 2.5;
// Legs together: a column no wider than this up to the knees, under shoulders this much wider.
constexpr double kKneesTogether = 0.3;
constexpr double kTogetherWidth = 0.18;
constexpr double kShoulders = 0.8;
constexpr double kShouldersOverLegs = 1.5;
constexpr double kTypicalCrotch = 0.47;
// The legs must part somewhere in this many slices from the bottom.
constexpr int kLegSearch = 35;
constexpr double kClusterGap = 0.03;
constexpr double kHeadRadius = 0.12;
// Pieces of a slice closer than this share of the height are one piece.
constexpr double kHeadLink = 0.02;
// The chest, where the walk up to the head starts: this multiple of the crotch's height.
constexpr double kChestOverCrotch = 1.5;
// A mesh this much wider than tall is lying down.
constexpr double kLyingRatio = 0.4;

// One leg's column in a slice: its middle across, and front to back between its front and a
// back no deeper than its width allows (a cape or tail behind the leg does not pull it back).
void MeasureColumn(const std::vector<Point3>& band, double yLow, double yHigh, Point3& centre,
                   double& radius) {
    double front = 1e300;
    for (const Point3& p : band) {
        if (p.y >= yLow && p.y <= yHigh) {
            front = std::min(front, p.x);
        }
    }
    const double width = yHigh - yLow;
    double back = front;
    for (const Point3& p : band) {
        if (p.y >= yLow && p.y <= yHigh && p.x <= front + 1.5 * width) {
            back = std::max(back, p.x);
        }
    }
    centre = {(front + back) / 2.0, (yLow + yHigh) / 2.0, 0.0};
    radius = std::max(width, back - front) / 2.0;
}

// Two columns either side of the middle: a gap across the middle plane in the front part of
// the slice, and the run of points on each side of it.
LegSlice FindLegs(const Body& body, double z, std::optional<double> split = std::nullopt) {
    LegSlice slice;
    slice.z = z;
    const double h = body.height;
    std::vector<Point3> band = body.Band(z, SLICE_HALF * h);
    std::erase_if(band, [&](const Point3& p) { return std::fabs(p.y - body.middleY) > 0.25 * h; });
    if (band.size() < 8) {
        return slice;
    }
    std::vector<double> xs;
    for (const Point3& p : band) {
        xs.push_back(p.x);
    }
    std::sort(xs.begin(), xs.end());
    const double front = xs[xs.size() / 10];
    std::vector<double> ys;
    for (const Point3& p : band) {
        if (p.x <= front + 0.1 * h) {
            ys.push_back(p.y);
        }
    }
    std::sort(ys.begin(), ys.end());
    int best = -1;
    double bestGap = std::max(kLegGap * h, kGapSamples * body.spacing);
    for (size_t i = 0; i + 1 < ys.size(); ++i) {
        const double gap = ys[i + 1] - ys[i];
        const double middle = (ys[i + 1] + ys[i]) / 2.0;
        if (gap > bestGap && std::fabs(middle - body.middleY) < 0.08 * h) {
            best = static_cast<int>(i);
            bestGap = gap;
        }
    }
    if (best < 0 && split) {
        // Legs that touch here are parted where they part higher up.
        best = static_cast<int>(std::lower_bound(ys.begin(), ys.end(), *split) - ys.begin()) - 1;
    }
    // Each leg holds a fair share of the slice.
    const int least = std::max(3, static_cast<int>(ys.size()) / 8);
    if (best + 1 < least || best + 1 + least > static_cast<int>(ys.size())) {
        return slice;
    }
    int low = best;
    while (low > 0 && ys[low] - ys[low - 1] < kClusterGap * h) {
        --low;
    }
    int high = best + 1;
    while (high + 1 < static_cast<int>(ys.size()) && ys[high + 1] - ys[high] < kClusterGap * h) {
        ++high;
    }
    // Side 0 is the left (+Y) leg.
    MeasureColumn(band, ys[best + 1], ys[high], slice.centre[0], slice.radius[0]);
    MeasureColumn(band, ys[low], ys[best], slice.centre[1], slice.radius[1]);
    slice.centre[0].z = slice.centre[1].z = z;
    slice.found = true;
    return slice;
}

// The width across of a slice, near the middle.
std::pair<double, double> AcrossExtent(const Body& body, double z) {
    double low = 1e300;
    double high = -1e300;
    for (const Point3& p : body.Band(z, SLICE_HALF * body.height)) {
        if (std::fabs(p.y - body.middleY) <= 0.25 * body.height) {
            low = std::min(low, p.y);
            high = std::max(high, p.y);
        }
    }
    return {low, high};
}

// Legs held together show no gap: a narrow column from the floor to the knees under a body that
// is much wider at the shoulders. They are parted down the middle of the column, up to the
// crotch where a body's usually is.
bool FindLegsTogether(Body& body) {
    const double h = body.height;
    double widest = 0.0;
    std::vector<double> ys;
    for (double f = kLowestLegSlice; f <= kKneesTogether; f += SLICE_STEP) {
        const auto [low, high] = AcrossExtent(body, body.floor + f * h);
        if (!(high >= low)) {
            return false;
        }
        widest = std::max(widest, high - low);
        ys.push_back((low + high) / 2.0);
    }
    const auto [low, high] = AcrossExtent(body, body.floor + kShoulders * h);
    if (widest > kTogetherWidth * h || !(high - low > kShouldersOverLegs * widest)) {
        return false;
    }
    const double split = Median(ys);
    for (double f = kLowestLegSlice; f <= kTypicalCrotch; f += SLICE_STEP) {
        const LegSlice slice = FindLegs(body, body.floor + f * h, split);
        if (slice.found) {
            body.legs.push_back(slice);
        }
    }
    body.crotch = body.floor + kTypicalCrotch * h;
    return body.legs.size() >= 2;
}

// The legs rise from the floor as two columns up to the crotch; false when they are not there.
bool FindLegColumns(Body& body) {
    std::vector<LegSlice> slices;
    for (double f = kLowestLegSlice; f <= kHighestLegSlice; f += SLICE_STEP) {
        slices.push_back(FindLegs(body, body.floor + f * body.height));
    }
    const auto lowest = slices.begin() + kLegSearch;
    auto first = std::find_if(slices.begin(), lowest, [](const LegSlice& s) { return s.found; });
    if (first == lowest) {
        return FindLegsTogether(body);
    }
    // Below the lowest parted slice the legs may touch (feet together): part them there too.
    const double split = (first->centre[0].y + first->centre[1].y) / 2.0;
    while (first != slices.begin()) {
        const LegSlice below = FindLegs(body, (first - 1)->z, split);
        if (!below.found) {
            break;
        }
        *--first = below;
    }
    // Up from the first column pair while the pairs go on (one missing slice is forgiven).
    auto last = first;
    int found = 0;
    int looked = 0;
    for (auto it = first; it != slices.end(); ++it) {
        if (it->found) {
            last = it;
        } else if (it + 1 == slices.end() || !(it + 1)->found) {
            break;
        }
    }
    for (auto it = first; it <= last; ++it) {
        ++looked;
        found += it->found ? 1 : 0;
        if (it->found) {
            body.legs.push_back(*it);
        }
    }
    body.crotch = last->z;
    return body.crotch - body.floor >= 0.2 * body.height && found * 10 >= looked * 7;
}

// The points of the slice joined to the one nearest `centre` through steps of at most `link`
// across (a slice of the head without the wings or hat brim beside it).
std::vector<Point3> PieceAround(std::vector<Point3> slice, const Point3& centre, double link) {
    std::vector<Point3> piece;
    if (slice.empty()) {
        return piece;
    }
    const auto flat = [](const Point3& a, const Point3& b) {
        return std::hypot(a.x - b.x, a.y - b.y);
    };
    const auto nearest = std::min_element(slice.begin(), slice.end(), [&](auto& a, auto& b) {
        return flat(a, centre) < flat(b, centre);
    });
    piece.push_back(*nearest);
    slice.erase(nearest);
    for (size_t i = 0; i < piece.size(); ++i) {
        for (size_t j = 0; j < slice.size();) {
            if (flat(slice[j], piece[i]) <= link) {
                piece.push_back(slice[j]);
                slice[j] = slice.back();
                slice.pop_back();
            } else {
                ++j;
            }
        }
    }
    return piece;
}

// The top of the head: the trunk followed up slice by slice from the chest, each slice the piece
// of the surface around the last one's middle, until nothing is left; wings, a raised weapon or
// a tail beside the head are other pieces.
double HeadTop(const Body& body) {
    const double step = SLICE_STEP * body.height;
    const double reach = kHeadRadius * body.height;
    Point3 centre{body.bodyX, body.middleY, 0.0};
    double top = body.crotch;
    for (double z = body.floor + kChestOverCrotch * (body.crotch - body.floor); z <= body.top;
         z += step) {
        std::vector<Point3> slice = body.Band(z, step / 2.0);
        std::erase_if(slice, [&](const Point3& p) {
            return std::hypot(p.x - centre.x, p.y - centre.y) > reach;
        });
        const std::vector<Point3> piece = PieceAround(slice, centre, kHeadLink * body.height);
        if (piece.empty()) {
            break;
        }
        Point3 sum{};
        for (const Point3& p : piece) {
            sum = Add(sum, p);
            top = std::max(top, p.z);
        }
        centre = Scale(sum, 1.0 / static_cast<double>(piece.size()));
    }
    return top > body.crotch ? top : body.top;
}

}  // namespace

Point3 LegCentre(const Body& body, int side, double z) {
    const std::vector<LegSlice>& legs = body.legs;
    if (z <= legs.front().z) {
        Point3 c = legs.front().centre[side];
        c.z = z;
        return c;
    }
    for (size_t i = 0; i + 1 < legs.size(); ++i) {
        if (z <= legs[i + 1].z) {
            const double t = (z - legs[i].z) / (legs[i + 1].z - legs[i].z);
            return Lerp(legs[i].centre[side], legs[i + 1].centre[side], t);
        }
    }
    Point3 c = legs.back().centre[side];
    c.z = z;
    return c;
}

double LegRadius(const Body& body, int side, double z) {
    const LegSlice* nearest = &body.legs.front();
    for (const LegSlice& s : body.legs) {
        if (std::fabs(s.z - z) < std::fabs(nearest->z - z)) {
            nearest = &s;
        }
    }
    return nearest->radius[side];
}

std::pair<double, double> TrunkAcross(const Body& body, double z) {
    std::vector<double> ys;
    for (const Point3& p : body.Band(z, SLICE_HALF * body.height)) {
        ys.push_back(p.y);
    }
    if (ys.empty()) {
        return {body.middleY, body.middleY};
    }
    std::sort(ys.begin(), ys.end());
    const auto middle = std::lower_bound(ys.begin(), ys.end(), body.middleY);
    size_t high = std::min<size_t>(static_cast<size_t>(middle - ys.begin()), ys.size() - 1);
    size_t low = high;
    const double gap = TRUNK_GAP * body.height;
    while (low > 0 && ys[low] - ys[low - 1] < gap) {
        --low;
    }
    while (high + 1 < ys.size() && ys[high + 1] - ys[high] < gap) {
        ++high;
    }
    return {ys[low], ys[high]};
}

bool SliceBody(const std::vector<Triangle3>& triangles, Body& body, SkeletonFitFailure& failure) {
    body.points = SampleSurface(triangles, kSamples);
    body.spacing = std::sqrt(SurfaceArea(triangles) / kSamples);
    if (body.points.empty()) {
        failure = SkeletonFitFailure::NoSurface;
        return false;
    }
    Point3 low = body.points.front();
    Point3 high = low;
    for (const Point3& p : body.points) {
        low = {std::min(low.x, p.x), std::min(low.y, p.y), std::min(low.z, p.z)};
        high = {std::max(high.x, p.x), std::max(high.y, p.y), std::max(high.z, p.z)};
    }
    body.floor = low.z;
    body.top = high.z;
    body.height = high.z - low.z;
    if (!(body.height > 0.0)) {
        failure = SkeletonFitFailure::NoSurface;
        return false;
    }
    if (body.height < kLyingRatio * std::max(high.x - low.x, high.y - low.y)) {
        failure = SkeletonFitFailure::LyingDown;
        return false;
    }
    // Across, the middle of the hips and belly (arms in T-pose are above them, hanging arms
    // are on both sides).
    std::vector<double> ys;
    for (const Point3& p : body.points) {
        if (p.z > body.floor + 0.35 * body.height && p.z < body.floor + 0.6 * body.height) {
            ys.push_back(p.y);
        }
    }
    body.middleY = ys.empty() ? (low.y + high.y) / 2.0 : Median(ys);
    body.bodyX = (low.x + high.x) / 2.0;
    if (!FindLegColumns(body)) {
        failure = SkeletonFitFailure::NoLegs;
        return false;
    }
    // The body's middle plane runs between the tops of the legs (hands held differently do
    // not move it).
    const LegSlice& top = body.legs.back();
    body.middleY = (top.centre[0].y + top.centre[1].y) / 2.0;
    body.bodyX = body.SpineX(body.crotch + 0.15 * body.height);
    body.headTop = HeadTop(body);
    // From here on the height is that of the body, feet to the top of the head.
    body.height = body.headTop - body.floor;
    return true;
}

}  // namespace editor::skeleton
