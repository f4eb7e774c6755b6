#include "fmtoobj/extended_output.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <span>

#include "fmtoobj/console_text.h"

namespace fmtoobj {

namespace {

constexpr std::array<const char*, REFERENCE_POINT_COUNT> REFERENCE_LABELS = {
    "left hand ref", "right hand ref", "right foot ref", "left foot ref",
    "staff ref",     "blade ref",      "hellhead ref"};
constexpr std::array<const char*, SKELETON_JOINT_COUNT> JOINT_LABELS = {"lower back", "upper back",
                                                                        "neck"};

double Distance(const FlexPoint& from, const FlexPoint& to) {
    double sum = 0.0;
    for (int axis = 0; axis < 3; ++axis) {
        double d = static_cast<double>(to[axis]) - from[axis];
        sum += d * d;
    }
    return std::sqrt(sum);
}

// The angle between the directions to `dir` and to `up`, from the chord between their unit
// vectors; the chord is kept at most 2 so that rounding cannot make the arc cosine fail.
double AngleBetween(const FlexPoint& org, const FlexPoint& dir, const FlexPoint& up, double l1,
                    double l2) {
    double chord = 0.0;
    for (int axis = 0; axis < 3; ++axis) {
        double a = (static_cast<double>(dir[axis]) - org[axis]) / l1;
        double b = (static_cast<double>(up[axis]) - org[axis]) / l2;
        chord += (a - b) * (a - b);
    }
    double halfChord = std::min(std::sqrt(chord) / 2.0, 1.0);
    return 3.1415926838 - 2.0 * std::acos(halfChord);
}

std::string OrientedPointText(const char* label, const PackedSpace& space,
                              std::span<const float> stored) {
    std::array<FlexPoint, 3> p;  // origin, direction point, up point
    for (std::size_t i = 0; i < p.size(); ++i) {
        p[i] = space.DecodePoint({stored[3 * i], stored[3 * i + 1], stored[3 * i + 2]});
    }
    double l1 = Distance(p[0], p[1]);
    double l2 = Distance(p[0], p[2]);
    return Format(
               "%-14s: org=(%4.0f,%4.0f,%4.0f) dir=(%4.0f,%4.0f,%4.0f) "
               "up=(%4.0f,%4.0f,%4.0f)\n",
               label, p[0][0], p[0][1], p[0][2], p[1][0], p[1][1], p[1][2], p[2][0], p[2][1],
               p[2][2]) +
           Format("    l1 = %6.2f; l2 = %6.2f; angle is %6.4f radians.\n", l1, l2,
                  AngleBetween(p[0], p[1], p[2], l1, l2));
}

template <std::size_t N>
std::string BlockText(std::span<const char* const, N> labels, const PackedSpace& space,
                      std::span<const float> block) {
    std::string text;
    for (std::size_t i = 0; i < N; ++i) {
        text += OrientedPointText(
            labels[i], space,
            block.subspan(i * FLOATS_PER_ORIENTED_POINT, FLOATS_PER_ORIENTED_POINT));
    }
    return text;
}

}  // namespace

std::string ExtendedText(const FrameModel& model) {
    std::string text;
    if (model.references) {
        text += BlockText(std::span(REFERENCE_LABELS), model.space, *model.references);
    }
    if (model.skeleton) {
        text += BlockText(std::span(JOINT_LABELS), model.space, *model.skeleton);
    }
    return text;
}

}  // namespace fmtoobj
