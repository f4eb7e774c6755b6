#pragma once
// Horizontal slices of a standing mesh's surface and what they tell about the body: its floor,
// the two leg columns up to the crotch, the trunk's middle and extent, the top of the head.
// Display space (+Z up, -X forward, +Y the skeleton's left); heights as shares of the mesh's.

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>
#include <vector>

#include "editor/skeleton/skeleton_fit.h"
#include "editor/skeleton/surface_samples.h"

namespace editor::skeleton {

// Fractions of the mesh's height.
inline constexpr double SLICE_HALF = 0.012;
inline constexpr double SLICE_STEP = 0.01;
inline constexpr double TRUNK_GAP = 0.012;
inline constexpr double SPINE_HALF_WIDTH = 0.06;

struct LegSlice {
    bool found = false;
    double z = 0.0;
    Point3 centre[2];
    double radius[2] = {0.0, 0.0};
};

// What the slices of the mesh tell about the body.
struct Body {
    std::vector<Point3> points;
    double floor = 0.0;
    double top = 0.0;
    double height = 0.0;  // top - floor
    double middleY = 0.0;
    std::vector<LegSlice> legs;  // found slices, bottom up
    double crotch = 0.0;
    double headTop = 0.0;
    double bodyX = 0.0;
    // The distance between neighbouring samples: gaps narrower than a few of these are not
    // gaps in the surface.
    double spacing = 0.0;

    std::vector<Point3> Band(double z, double half) const {
        std::vector<Point3> band;
        for (const Point3& p : points) {
            if (std::fabs(p.z - z) <= half) {
                band.push_back(p);
            }
        }
        return band;
    }

    // The trunk's front and back at a height (a tenth of the surface near the middle plane in
    // front of the one, and behind the other): nothing when no surface is there.
    std::optional<std::pair<double, double>> FrontAndBack(double z) const {
        std::vector<double> xs;
        for (const Point3& p : points) {
            if (std::fabs(p.z - z) <= 0.02 * height &&
                std::fabs(p.y - middleY) <= SPINE_HALF_WIDTH * height) {
                xs.push_back(p.x);
            }
        }
        if (xs.empty()) {
            return std::nullopt;
        }
        std::sort(xs.begin(), xs.end());
        return std::make_pair(xs[xs.size() / 10], xs[xs.size() * 9 / 10]);
    }

    // The middle of the trunk front to back at a height (a median would pick one of the two
    // surfaces).
    double SpineX(double z) const {
        const auto extent = FrontAndBack(z);
        return extent ? (extent->first + extent->second) / 2.0 : bodyX;
    }
};

// Samples the surface and measures the body; false, with the reason, when the mesh is empty,
// lying down or has no two legs.
bool SliceBody(const std::vector<Triangle3>& triangles, Body& body, SkeletonFitFailure& failure);

// A leg's centre at a height, between the nearest measured slices.
Point3 LegCentre(const Body& body, int side, double z);
// A leg's half width in the measured slice nearest the height.
double LegRadius(const Body& body, int side, double z);
// The trunk's extent across in a slice: the run of points around the middle with no gap wider
// than a narrow one. An arm hanging beside the trunk lies beyond it.
std::pair<double, double> TrunkAcross(const Body& body, double z);

}  // namespace editor::skeleton
