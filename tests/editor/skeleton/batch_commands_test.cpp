#include <gtest/gtest.h>

#include <unistd.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "editor/shell/batch_runner.h"
#include "editor/skeleton/bone_file.h"
#include "editor/skeleton/pose_file.h"
#include "tests/support/scratch_directory.h"

using namespace ::editor::shell;
using namespace ::editor::skeleton;

namespace {
std::vector<uint8_t> Bytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

class SkeletonBatch : public ::testing::Test {
  protected:
    SkeletonBatch() { dir_ = scratch_.Path(); }

    int RunScript(const std::string& script) {
        std::istringstream in(script);
        BatchRunner runner(out_, err_);
        runner.SetLogPath((dir_ / "mn.log").string());
        return runner.Run(in, "skeleton.mnb");
    }
    bool Printed(const std::string& line) const {
        return out_.str().find(line) != std::string::npos;
    }

    ScratchDirectory scratch_{"skeleton-batch"};
    std::filesystem::path dir_;
    std::ostringstream out_;
    std::ostringstream err_;
};
}  // namespace

TEST_F(SkeletonBatch, SavesAndLoadsTheStartUpPoseAndBones) {
    std::string poses = (dir_ / "startup.spz").string();
    std::string bones = (dir_ / "startup.bnz").string();
    std::string script =
        "answer text start\n"
        "answer file " +
        poses +
        "\n"
        "run Save Pose\n"
        "answer file " +
        poses +
        "\n"
        "run Load Pose\n"
        "answer file " +
        bones +
        "\n"
        "run Save Bones\n"
        "answer file " +
        bones +
        "\n"
        "run Load Bones\n";
    ASSERT_EQ(RunScript(script), 0) << err_.str();
    EXPECT_TRUE(Printed("Saved skeleton as 'start' in " + poses + ".")) << out_.str();
    EXPECT_TRUE(Printed("Posed skeleton as 'start' from " + poses + "."));
    EXPECT_TRUE(Printed("Bones saved to '" + bones + "'."));
    EXPECT_TRUE(Printed("Bones loaded from '" + bones + "'."));

    std::vector<PoseRecord> records;
    ASSERT_TRUE(ParsePoseFile(Bytes(poses), records));
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(PoseName(records[0]), "start");
    BoneLengths lengths;
    std::vector<uint8_t> bytes = Bytes(bones);
    ASSERT_EQ(bytes.size(), BONE_FILE_SIZE);
    ParseBoneLengths(bytes, lengths);
    EXPECT_NEAR(lengths[10], 10.4035, 1e-4);
    EXPECT_NEAR(lengths[3], 7.79, 1e-5);
}

TEST_F(SkeletonBatch, FramesOfOneFileKeepTheirOrder) {
    std::string poses = (dir_ / "walk.spz").string();
    std::string script;
    for (const char* frame : {"walk1", "walk3", "run1", "walk2", "jump"}) {
        script +=
            std::string("answer text ") + frame + "\nanswer file " + poses + "\nrun Save Pose\n";
    }
    script += "answer file " + poses + "\nanswer text walk3\nrun Load Pose\n";
    ASSERT_EQ(RunScript(script), 0) << err_.str();
    std::vector<PoseRecord> records;
    ASSERT_TRUE(ParsePoseFile(Bytes(poses), records));
    std::vector<std::string> names;
    for (const PoseRecord& record : records) {
        names.push_back(PoseName(record));
    }
    EXPECT_EQ(names, (std::vector<std::string>{"walk1", "walk2", "walk3", "run1", "jump"}));
    EXPECT_TRUE(Printed("Posed skeleton as 'walk3' from " + poses + "."));
}

// `place` drags a joint toward a point as a device would: free bones (the default) reach it,
// rigid bones keep their length and land on the sphere around the parent joint.
TEST_F(SkeletonBatch, PlaceDragsAJointTowardAPoint) {
    struct Case {
        const char* rigid;
        const char* expected;
    };
    for (const Case& c : {Case{"", "joint left elbow: 0.00 6.16 2.96"},
                          Case{"run Rigid Bones\n", "joint left elbow: 0.00 6.16 3.32"}}) {
        out_.str("");
        ASSERT_EQ(RunScript(std::string(c.rigid) + "place left elbow 0 6.16 2.96\nshow joints\n"),
                  0)
            << err_.str();
        EXPECT_TRUE(Printed("status: Selected: left elbow")) << out_.str();
        EXPECT_TRUE(Printed(c.expected)) << out_.str();
        EXPECT_TRUE(Printed("joint left shoulder: 0.00 6.16 12.96")) << out_.str();
    }
}
