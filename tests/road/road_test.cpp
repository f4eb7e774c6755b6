#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "bytes/whole_file.h"
#include "editor/model/pose_record.h"
#include "editor/skeleton/pose_file.h"
#include "fmtoobj/converter.h"
#include "fmtoobj/output_directory.h"
#include "tests/app/run_program.h"
#include "tests/support/scratch_directory.h"

using namespace ::editor::model;
using namespace ::editor::skeleton;

namespace {

namespace fs = std::filesystem;

std::vector<uint8_t> Bytes(const fs::path& path) {
    std::vector<uint8_t> bytes;
    EXPECT_TRUE(bytes::ReadWholeFile(path.string(), bytes).Ok()) << path;
    return bytes;
}

// The lowest z of the frame's vertices as fmtoobj writes them (z is up): where the feet are.
double LowestPoint(const std::string& obj) {
    std::istringstream lines(obj);
    double lowest = 1e30;
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("v ", 0) == 0) {
            std::istringstream v(line.substr(2));
            double x = 0, y = 0, z = 0;
            v >> x >> y >> z;
            lowest = std::min(lowest, z);
        }
    }
    return lowest;
}

}  // namespace

// The sample road runs as a modder would run it and its model is one the game's tools read: every
// frame converts, there is a frame per pose, and the jump lifts her feet off the ground.
TEST(Road, TheSampleCharacterBecomesAnAnimatedModel) {
    ScratchDirectory scratch("road");
    fs::create_symlink(MARIONET_SAMPLES_DIR, scratch.Path() / "samples");
    fs::create_directory(scratch.Path() / "out");
    const fs::path out = scratch.Path() / "out";
    std::string output;
    const int status = RunProgram("--batch ../samples/road.mnb", output, out.string());
    ASSERT_EQ(status, 0) << output;
    EXPECT_NE(output.find("status: Flex model generated in 'sydney.fm'"), std::string::npos);
    for (const char* picture : {"1-fitted.png", "2-left-thigh.png", "3-jump53.png"}) {
        EXPECT_GT(fs::file_size(out / picture), 1000u) << picture;
    }

    std::vector<PoseRecord> poses;
    ASSERT_TRUE(ParsePoseFile(Bytes(fs::path(MARIONET_SAMPLES_DIR) / "cmu_01_01_jump.spz"), poses));
    const std::vector<uint8_t> model = Bytes(out / "sydney.fm");
    double lowest = 1e30;
    double highest = -1e30;
    for (const PoseRecord& pose : poses) {
        fmtoobj::ConverterOptions options;
        options.extended = true;
        options.frameName = PoseName(pose);
        std::ostringstream console;
        fmtoobj::MemoryDirectory files;
        ASSERT_EQ(fmtoobj::ConvertModel(model, options, console, files), 0) << options.frameName;
        ASSERT_FALSE(files.files.empty());
        const double feet = LowestPoint(files.files.begin()->second);
        lowest = std::min(lowest, feet);
        highest = std::max(highest, feet);
    }
    // The count in the header is the pose count: a frame past it would not convert.
    fmtoobj::ConverterOptions past;
    past.frameName = "jump" + std::to_string(poses.size() + 1);
    std::ostringstream console;
    fmtoobj::MemoryDirectory files;
    EXPECT_NE(fmtoobj::ConvertModel(model, past, console, files), 0);
    EXPECT_GT(highest - lowest, 3.0) << "her feet should leave the ground in the jump";
}
