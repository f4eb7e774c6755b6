#pragma once
// Edge stretch of an exported model as the game unpacks its frames: every edge's length in each
// later frame over its length in the first frame. Beside it, two figures that say how much the
// first frame itself decides it: the 99th percentile against each edge's median length over the
// clip, and the share of the stretches over 1.3 that fall on edges squeezed in the first frame
// (under 0.8 of their median length).

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "tests/editor/export/flex_file.h"

struct Stretch {
    double p99, p999, max;
    double p99AgainstMedian;
    double overOnSqueezed;  // share of the stretches over 1.3
};

inline double Percentile(const std::vector<double>& sorted, double share) {
    return sorted[std::min(sorted.size() - 1, static_cast<std::size_t>(share * sorted.size()))];
}

inline Stretch EdgeStretch(const FlexFile& file) {
    const FlexHeader header = file.Header();
    std::set<std::pair<int, int>> edges;
    for (int t = 0; t < header.numTris; ++t) {
        const TriangleRecord tri = *ReadTriangleRecord(
            file.Reader(), file.Chunk("tris")->dataOffset + t * TRIANGLE_RECORD_SIZE);
        for (int k = 0; k < 3; ++k) {
            edges.insert(std::minmax<int>(tri.vertexIndex[k], tri.vertexIndex[(k + 1) % 3]));
        }
    }
    auto position = [&](int frame, int v) {
        const FrameHeader head = file.Frame(frame);
        const PackedVertex p = file.Vertex(frame, v);
        return std::array<double, 3>{p.x * head.scale[0] + head.translate[0],
                                     p.y * head.scale[1] + head.translate[1],
                                     p.z * head.scale[2] + head.translate[2]};
    };
    std::vector<double> ratios;
    std::vector<double> againstMedian;
    int over = 0;
    int overOnSqueezed = 0;
    for (const auto& [a, b] : edges) {
        std::vector<double> lengths;
        for (int f = 0; f < header.numFrames; ++f) {
            const auto p = position(f, a);
            const auto q = position(f, b);
            lengths.push_back(std::hypot(p[0] - q[0], p[1] - q[1], p[2] - q[2]));
        }
        std::vector<double> sorted = lengths;
        std::sort(sorted.begin(), sorted.end());
        const double median = sorted[sorted.size() / 2];
        const double first = lengths.front();
        for (int f = 0; f < header.numFrames && median > 0.0; ++f) {
            againstMedian.push_back(lengths[f] / median);
        }
        for (int f = 1; f < header.numFrames && first > 0.0; ++f) {
            const double ratio = lengths[f] / first;
            ratios.push_back(ratio);
            if (ratio > 1.3) {
                ++over;
                overOnSqueezed += first < 0.8 * median ? 1 : 0;
            }
        }
    }
    std::sort(ratios.begin(), ratios.end());
    std::sort(againstMedian.begin(), againstMedian.end());
    return {Percentile(ratios, 0.99), Percentile(ratios, 0.999), ratios.back(),
            Percentile(againstMedian, 0.99), over > 0 ? double(overOnSqueezed) / over : 0.0};
}

inline std::string Figures(const Stretch& s) {
    char text[160];
    std::snprintf(text, sizeof text,
                  "99%% %.3f 99.9%% %.3f max %.3f (99%% against the median %.3f; %.0f%% of those "
                  "over 1.3 squeezed in the first frame)",
                  s.p99, s.p999, s.max, s.p99AgainstMedian, 100.0 * s.overOnSqueezed);
    return text;
}
