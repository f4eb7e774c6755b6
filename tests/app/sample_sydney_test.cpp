#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>

#include "bytes/whole_file.h"
#include "editor/shell/batch_runner.h"
#include "tests/support/scratch_directory.h"

using namespace ::editor::shell;

namespace {

namespace fs = std::filesystem;

const fs::path kSydney = fs::path(MARIONET_SAMPLES_DIR) / "sydney";

std::vector<uint8_t> Bytes(const fs::path& path) {
    std::vector<uint8_t> bytes;
    EXPECT_TRUE(bytes::ReadWholeFile(path.string(), bytes).Ok()) << path;
    return bytes;
}

}  // namespace

// The sample's pose, bone lengths and bindings are what its recipe makes: the recipe in the
// samples folder stays true, and a change to placing joints, the guess or the binding files shows
// here.
TEST(SampleSydney, TheRecipeMakesTheSampleFiles) {
    ScratchDirectory scratch("sydney");
    for (const char* name : {"sydney.md2", "make-sydney.mnb"}) {
        fs::copy_file(kSydney / name, scratch.Path() / name);
    }
    const fs::path previous = fs::current_path();
    fs::current_path(scratch.Path());
    std::ostringstream out;
    std::ostringstream err;
    const int status = BatchRunner(out, err).RunFile("make-sydney.mnb");
    fs::current_path(previous);
    ASSERT_EQ(status, 0) << err.str();
    for (const char* made : {"sydney.spz", "sydney.bnz", "sydney.bnd"}) {
        EXPECT_EQ(Bytes(scratch.Path() / made), Bytes(kSydney / made)) << made;
    }
}
