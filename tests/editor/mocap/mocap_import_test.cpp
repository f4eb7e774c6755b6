#include "editor/mocap/mocap_import.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "bytes/whole_file.h"
#include "editor/skeleton/pose_file.h"
#include "tests/support/scratch_directory.h"

using namespace ::editor::mocap;

namespace {

struct Sampling {
    int frames;
    double frameTime;
    double rate;
    size_t count;
    size_t sample;
    int row;
};

class SampleRowsTest : public ::testing::TestWithParam<Sampling> {};

TEST_P(SampleRowsTest, NearestRowOfEachSample) {
    const Sampling& c = GetParam();
    std::vector<int> rows = SampleRows(c.frames, c.frameTime, c.rate);
    ASSERT_EQ(rows.size(), c.count);
    EXPECT_EQ(rows[c.sample], c.row);
    EXPECT_EQ(rows.front(), 0);
    EXPECT_LE(rows.back(), c.frames - 1);
}

INSTANTIATE_TEST_SUITE_P(
    Rates, SampleRowsTest,
    ::testing::Values(Sampling{101, 0.01, 10.0, 11, 7, 70},             // 0.7 s of 100 Hz is row 70
                      Sampling{2752, 0.0083333, 10.0, 230, 229, 2748},  // 120 Hz clip
                      Sampling{2752, 0.0083333, 10.0, 230, 3, 36},
                      Sampling{3, 0.5, 10.0, 11, 5, 1},  // slower clip than the rate
                      Sampling{3, 0.5, 10.0, 11, 10, 2},
                      Sampling{1, 0.04, 10.0, 1, 0, 0},             // a single row
                      Sampling{301, 1.0 / 30.0, 7.0, 71, 70, 300},  // odd rate, last row
                      Sampling{100, 0.01, 3.0, 3, 2, 67}));         // 0.666.. s rounds up

TEST(MocapNames, BaseNamesKeepFrameNumbersApart) {
    EXPECT_EQ(BaseNameFromPath("/clips/01_01.bvh"), "01_01_");
    EXPECT_EQ(BaseNameFromPath("walk fast.bvh"), "walkfast");
    EXPECT_EQ(BaseNameFromPath("/clips/..bvh"), "mocap");
    EXPECT_EQ(FrameName("walk", 0), "walk1");
    EXPECT_TRUE(CheckBaseName("walk", 230).Ok());
    EXPECT_TRUE(CheckBaseName("abcdefghijkl", 230).Ok());  // 12 + 3 digits = 15
    EXPECT_NE(CheckBaseName("abcdefghijklm", 230).Reason().find("too long"), std::string::npos);
    EXPECT_NE(CheckBaseName("walk2", 10).Reason().find("digit"), std::string::npos);
    EXPECT_NE(CheckBaseName("", 10).Reason().find("empty"), std::string::npos);
    // Written names split back into base and frame number in order.
    std::string base;
    long long number = 0;
    SplitFrameName(FrameName(BaseNameFromPath("01_01.bvh"), 9), base, number);
    EXPECT_EQ(base, "01_01_");
    EXPECT_EQ(number, 10);
}

std::string Clip(const char* name) {
    return std::string(MARIONET_BVH_DIR) + "/" + name;
}

TEST(MocapImport, FailuresNameTheFileAndLeaveTheTargetAlone) {
    ScratchDirectory scratch;
    std::string bad = (scratch.Path() / "walk.bvh").string();
    std::ofstream(bad) << "HIERARCHY\nROOT Hips\n{\nOFFSET 0 0 0\nCHANNELS 2 Xrotation Yrotation\n";
    BoneLengths lengths;
    DefaultBoneLengths(lengths);
    bytes::Result<std::vector<PoseRecord>> poses =
        ImportMotionCapture(bad, MocapOptions{}, lengths);
    EXPECT_EQ(poses.Kind(), bytes::Failure::Refused);
    EXPECT_EQ(poses.Reason(), "'" + bad + "' line 5: CHANNELS expects 3 or 6 names");
    poses = ImportMotionCapture((scratch.Path() / "none.bvh").string(), MocapOptions{}, lengths);
    EXPECT_FALSE(poses);
    EXPECT_NE(poses.Reason().find("Can't open"), std::string::npos);

    // A pose file that cannot be written names itself.
    std::string target = (scratch.Path() / "missing" / "walk.spz").string();
    const bytes::Status written = WriteMocapPoses(target, {PoseRecord{}});
    EXPECT_EQ(written.Kind(), bytes::Failure::Refused);
    EXPECT_EQ(written.Reason(), "Can't open '" + target + "'.");
}

// The sample in samples/ is this converter's output for the Carnegie Mellon clip 01_01 at the
// default rate and lengths; regenerating it must give the same poses.
TEST(MocapImport, RegeneratesTheSamplePoseFile) {
    if (!std::filesystem::exists(Clip("01_01.bvh"))) {
        GTEST_SKIP() << "assimp-testmodels is not installed";
    }
    BoneLengths lengths;
    DefaultBoneLengths(lengths);
    MocapOptions options;
    options.baseName = "jump";
    bytes::Result<std::vector<PoseRecord>> imported =
        ImportMotionCapture(Clip("01_01.bvh"), options, lengths);
    ASSERT_TRUE(imported) << imported.Reason();
    const std::vector<PoseRecord>& poses = *imported;

    std::vector<uint8_t> bytes;
    ASSERT_TRUE(
        bytes::ReadWholeFile(std::string(MARIONET_SAMPLES_DIR) + "/cmu_01_01_jump.spz", bytes));
    std::vector<PoseRecord> sample;
    ASSERT_TRUE(ParsePoseFile(bytes, sample));
    ASSERT_EQ(sample.size(), poses.size());
    for (size_t k = 0; k < poses.size(); ++k) {
        ASSERT_EQ(PoseName(sample[k]), PoseName(poses[k]));
        for (int b = 0; b < NUM_BONES; ++b) {
            EXPECT_NEAR(sample[k].startPositions[b].x, poses[k].startPositions[b].x, 1e-9);
            EXPECT_NEAR(sample[k].startPositions[b].y, poses[k].startPositions[b].y, 1e-9);
            EXPECT_NEAR(sample[k].startPositions[b].z, poses[k].startPositions[b].z, 1e-9);
            EXPECT_NEAR(sample[k].angles[b].angleX, poses[k].angles[b].angleX, 1e-9);
            EXPECT_NEAR(sample[k].angles[b].angleY, poses[k].angles[b].angleY, 1e-9);
            EXPECT_NEAR(sample[k].angles[b].angleZ, poses[k].angles[b].angleZ, 1e-9);
        }
    }
}

}  // namespace
