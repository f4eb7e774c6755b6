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

#include "tests/editor/export/edge_stretch.h"
#include "tests/editor/export/export_fixture.h"
#include "tests/editor/export/flex_file.h"
#include "tests/support/batch_script_run.h"

namespace {

const std::string SAMPLES = std::string(MARIONET_SOURCE_DIR) + "/samples/";

// The sample road up to Make Poseable (as samples/road.mnb loads her), then the steps: a batch
// line ("run ...", "answer ...") or the name of a file to export the jump clip to.
std::string SampleScript(const std::string& directory, const std::vector<std::string>& steps) {
    std::string script =
        "answer file " + SAMPLES + "sydney/sydney.md2\nanswer text stand1\n" +
        "answer no\nrun Open\nrun Fit Model to Skeleton\nanswer file " + SAMPLES +
        "sydney/sydney.spz\nrun Load Pose\nanswer file " + SAMPLES +
        "sydney/sydney.bnz\nrun Load Bones\nanswer nodes 0 1 5 6 10 11 13 14 15\n" +
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

// The points a chunk holds for every frame from byte `first` on (three floats each, in the
// frame's packed space, half a step up so that the game's truncation rounds), in model units.
std::vector<std::array<double, 3>> FramePoints(const FlexFile& file, const std::string& ident,
                                               std::size_t first) {
    const auto chunk = file.Chunk(ident);
    const int frames = file.Header().numFrames;
    const std::size_t perFrame = (chunk->dataSize - first) / (12 * frames);
    std::vector<std::array<double, 3>> points;
    for (int f = 0; f < frames; ++f) {
        const FrameHeader head = file.Frame(f);
        for (std::size_t k = 0; k < perFrame; ++k) {
            std::array<double, 3> p{};
            for (int axis = 0; axis < 3; ++axis) {
                const float stored =
                    file.FloatAt(ident, first + (f * perFrame + k) * 12 + axis * 4);
                p[axis] = (stored - 0.5) * head.scale[axis] + head.translate[axis];
            }
            points.push_back(p);
        }
    }
    return points;
}

// Where the skeleton chunk's joint positions start: after its type, the cluster count, the
// clusters' sizes and vertices, and the positions flag.
std::size_t SkeletonPositionsOffset(const FlexFile& file) {
    const int clusters = file.Int32At("skeleton", 4);
    std::size_t offset = 8;
    int vertices = 0;
    for (int c = 0; c < clusters; ++c) {
        vertices += file.Int32At("skeleton", offset);
        offset += 4;
    }
    return offset + 4 * vertices + 4;
}

void ExpectSamePoints(const std::vector<std::array<double, 3>>& a,
                      const std::vector<std::array<double, 3>>& b, const char* what) {
    ASSERT_EQ(a.size(), b.size()) << what;
    double worst = 0.0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        for (int axis = 0; axis < 3; ++axis) {
            worst = std::max(worst, std::fabs(a[i][axis] - b[i][axis]));
        }
    }
    EXPECT_LT(worst, 1e-3) << what;
}

std::vector<uint8_t> ChunkBytes(const FlexFile& file, const std::string& ident) {
    const auto chunk = file.Chunk(ident);
    return {file.bytes.begin() + chunk->dataOffset,
            file.bytes.begin() + chunk->dataOffset + chunk->dataSize};
}

// Each export from a run of its own: a second export in one run starts from the reference points
// the first one left.
std::vector<uint8_t> ExportSample(const ScratchDirectory& scratch, const std::string& name,
                                  const std::vector<std::string>& before) {
    const std::string dir = scratch.Path().string();
    std::vector<std::string> steps = before;
    steps.push_back(name);
    BatchScriptRun run;
    run.programDir = dir + "/";
    EXPECT_EQ(run.Run(SampleScript(dir, steps), dir + "/mn.log"), 0) << run.errors;
    EXPECT_TRUE(run.Printed("status: Flex model generated in '" + dir + "/" + name + "'"))
        << run.errors;
    return ReadFile(dir + "/" + name);
}

}  // namespace

TEST(SmoothJointsExport, TheSampleJumpTearsLessAtHerJointsAndRigidStaysAsItWas) {
    ScratchDirectory scratch("smooth-sample");
    const FlexFile rigid{ExportSample(scratch, "rigid.fm", {})};
    const FlexFile smooth{ExportSample(scratch, "smooth.fm", {"run Smooth Joints"})};
    const FlexFile wide{ExportSample(
        scratch, "wide.fm", {"run Smooth Joints", "answer text 100", "run Joint Blend..."})};
    const Stretch before = EdgeStretch(rigid);
    const Stretch after = EdgeStretch(smooth);
    const Stretch widest = EdgeStretch(wide);
    std::printf(
        "[ figures ] sample jump, edge stretch:\n  rigid %s\n  smooth %s\n  smooth at "
        "100%% %s\n",
        Figures(before).c_str(), Figures(after).c_str(), Figures(widest).c_str());
    EXPECT_LT(after.p99, before.p99 - 0.1);
    EXPECT_LE(after.p999, 2.0);
    EXPECT_LT(after.max, before.max);
    EXPECT_LT(widest.max, before.max);
    // Only the vertices follow the blend. The skeleton's and the reference points stay the
    // bones' own; they are written in each frame's packing, which follows the blended vertices.
    EXPECT_NE(ChunkBytes(rigid, "frames"), ChunkBytes(smooth, "frames"));
    for (const char* ident : {"header", "skin", "st coord", "tris", "glcmds", "mesh nodes"}) {
        ASSERT_TRUE(rigid.Chunk(ident)) << ident;
        EXPECT_EQ(ChunkBytes(rigid, ident), ChunkBytes(smooth, ident)) << ident;
    }
    const std::size_t positions = SkeletonPositionsOffset(rigid);
    EXPECT_EQ(SkeletonPositionsOffset(smooth), positions);
    const std::vector<uint8_t> skeleton = ChunkBytes(rigid, "skeleton");
    EXPECT_EQ(std::vector<uint8_t>(skeleton.begin(), skeleton.begin() + positions), [&] {
        const std::vector<uint8_t> other = ChunkBytes(smooth, "skeleton");
        return std::vector<uint8_t>(other.begin(), other.begin() + positions);
    }()) << "the clusters";
    ExpectSamePoints(FramePoints(rigid, "skeleton", positions),
                     FramePoints(smooth, "skeleton", positions), "skeleton");
    ExpectSamePoints(FramePoints(rigid, "references", 8), FramePoints(smooth, "references", 8),
                     "references");
    // Turned off again, the export is the rigid one to the byte.
    EXPECT_EQ(ExportSample(scratch, "again.fm", {"run Smooth Joints", "run Smooth Joints"}),
              rigid.bytes);
}

// "Scale To Ground" scales the bones' rest frames with their coordinates, so the scaled blend
// still starts from where each vertex stood and beats the scaled rigid parts.
TEST(SmoothJointsExport, ScaledToTheGroundTheBlendHolds) {
    ScratchDirectory scratch("smooth-ground");
    const Stretch rigid =
        EdgeStretch(FlexFile{ExportSample(scratch, "rigid.fm", {"run Scale To Ground"})});
    const Stretch smooth = EdgeStretch(
        FlexFile{ExportSample(scratch, "smooth.fm", {"run Smooth Joints", "run Scale To Ground"})});
    EXPECT_LT(smooth.p99, rigid.p99);
    EXPECT_LT(smooth.p999, rigid.p999);
    EXPECT_LT(smooth.max, rigid.max);
}
