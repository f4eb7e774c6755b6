// Smooth joints in the exported file: the sample character's jump, rigid and smooth from one run,
// read back frame by frame; and with smoothing off, the file the rigid parts always gave.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "tests/editor/export/export_fixture.h"
#include "tests/editor/export/flex_file.h"
#include "tests/support/batch_script_run.h"

namespace {

const std::string SAMPLES = std::string(MARIONET_SOURCE_DIR) + "/samples/";

// The sample road up to Make Poseable (as samples/road.mnb loads her), then an export for every
// line of `exports`: a file name, after the commands before it.
std::string SampleScript(const std::string& directory, const std::vector<std::string>& steps) {
    std::string script = "answer file " + SAMPLES + "sydney/sydney.md2\nanswer text stand1\n" +
                         "answer no\nrun Open\nselect model\nrun Rotate Z\nselect model\n" +
                         "run Rotate Z\nrun Fit Model to Skeleton\nanswer file " + SAMPLES +
                         "sydney/sydney.spz\nrun Load Pose\nanswer file " + SAMPLES +
                         "sydney/sydney.bns\nrun Load Bones\nanswer nodes 0 1 5 6 10 11 13 14 15\n" +
                         "run Mesh Nodes\nanswer file " + SAMPLES +
                         "sydney/sydney.bnd\nrun Load Bindings\nrun Make Poseable\n";
    for (const std::string& step : steps) {
        if (step.rfind("run ", 0) == 0 || step.rfind("answer ", 0) == 0) {
            script += step + "\n";
        } else {
            script += "answer file " + directory + "/" + step + "\nanswer file " + SAMPLES +
                      "cmu_01_01_jump.spz\nrun File/Export/Flex Model From\n";
        }
    }
    return script;
}

struct Stretch {
    double p99, p999, max;
};

// Edge length in every frame over its length in the first, as the game unpacks the frames.
Stretch EdgeStretch(const FlexFile& file) {
    const FlexHeader header = file.Header();
    std::set<std::pair<int, int>> edges;
    for (int t = 0; t < header.numTris; ++t) {
        const TriangleRecord tri =
            *ReadTriangleRecord(file.Reader(), file.Chunk("tris")->dataOffset + t * TRIANGLE_RECORD_SIZE);
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
    auto length = [&](int frame, const std::pair<int, int>& edge) {
        const auto a = position(frame, edge.first);
        const auto b = position(frame, edge.second);
        return std::hypot(a[0] - b[0], a[1] - b[1], a[2] - b[2]);
    };
    std::vector<double> ratios;
    for (const auto& edge : edges) {
        const double first = length(0, edge);
        for (int f = 1; f < header.numFrames && first > 0.0; ++f) {
            ratios.push_back(length(f, edge) / first);
        }
    }
    std::sort(ratios.begin(), ratios.end());
    auto at = [&](double share) {
        return ratios[std::min(ratios.size() - 1, static_cast<std::size_t>(share * ratios.size()))];
    };
    return {at(0.99), at(0.999), ratios.back()};
}

std::vector<uint8_t> ChunkBytes(const FlexFile& file, const std::string& ident) {
    const auto chunk = file.Chunk(ident);
    return {file.bytes.begin() + chunk->dataOffset,
            file.bytes.begin() + chunk->dataOffset + chunk->dataSize};
}

}  // namespace

TEST(SmoothJointsExport, TheSampleJumpNoLongerTearsAtHerJoints) {
    ScratchDirectory scratch("smooth-sample");
    const std::string dir = scratch.Path().string();
    BatchScriptRun run;
    const std::string zone = getenv("ZONE") ? getenv("ZONE") : "20";
    ASSERT_EQ(run.Run(SampleScript(dir, {"rigid.fm", "rigid2.fm", "answer text " + zone, "run Joint Blend...", "run Smooth Joints", "smooth.fm",
                                         "run Smooth Joints", "rigid-again.fm"}),
                      dir + "/mn.log"),
              0)
        << run.errors;
    for (const auto& l : run.lines) if (l.find("oint") != std::string::npos || l.find("mooth") != std::string::npos) std::printf("%s\n", l.c_str());
    const FlexFile rigid{ReadFile(dir + "/rigid.fm")};
    const FlexFile smooth{ReadFile(dir + "/smooth.fm")};
    const Stretch before = EdgeStretch(rigid);
    const Stretch after = EdgeStretch(smooth);
    std::printf("[ figures ] sample jump, edge stretch: rigid 99%% %.3f 99.9%% %.3f max %.3f; "
                "smooth 99%% %.3f 99.9%% %.3f max %.3f\n",
                before.p99, before.p999, before.max, after.p99, after.p999, after.max);
    EXPECT_LE(after.p99, 1.3);
    EXPECT_LE(after.p999, 2.0);
    EXPECT_LT(after.max, before.max);
    // Only the frames follow the blend: the skeleton and reference points stay the bones' own.
    EXPECT_NE(ChunkBytes(rigid, "frames"), ChunkBytes(smooth, "frames"));
    for (const char* ident : {"header", "skin", "st coord", "tris", "glcmds", "mesh nodes",
                              "skeleton", "references"}) {
        if (rigid.Chunk(ident)) {
            EXPECT_EQ(ChunkBytes(rigid, ident), ChunkBytes(smooth, ident)) << ident;
        }
    }
    // Turned off again, the export is the rigid one to the byte.
    EXPECT_EQ(ReadFile(dir + "/rigid-again.fm"), rigid.bytes);
    EXPECT_EQ(ReadFile(dir + "/rigid2.fm"), rigid.bytes);
}
