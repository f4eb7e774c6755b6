#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "bytes/replace_file.h"
#include "bytes/side_file.h"
#include "tests/support/scratch_directory.h"

using namespace ::bytes;

namespace {

namespace fs = std::filesystem;

class ReplaceFileTest : public ::testing::Test {
  protected:
    void SetUp() override { dir_ = scratch_.Path(); }

    std::string Path(const char* name) const { return (dir_ / name).string(); }
    static std::string Contents(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    std::size_t FileCount() const {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir_), {}));
    }

    ScratchDirectory scratch_{"bytes_replace"};
    fs::path dir_;
};

}  // namespace

TEST_F(ReplaceFileTest, ReplacesTheOldFileAndLeavesNoSideFile) {
    std::string path = Path("model.fm");
    ASSERT_TRUE(ReplaceFile(path, std::string_view("old")));
    ASSERT_TRUE(ReplaceFile(path, std::string_view("new contents")));
    EXPECT_EQ(Contents(path), "new contents");
    EXPECT_EQ(FileCount(), 1u);
}

TEST_F(ReplaceFileTest, UnfinishedWriteLeavesTheOldFileAlone) {
    std::string path = Path("model.fm");
    ASSERT_TRUE(ReplaceFile(path, std::string_view("old")));
    {
        SideFile file;
        ASSERT_TRUE(file.Open(path));
        file.Write("half of the new");
    }
    EXPECT_EQ(Contents(path), "old");
    EXPECT_EQ(FileCount(), 1u);
}

TEST_F(ReplaceFileTest, ReportsAFileThatCannotBeWritten) {
    EXPECT_FALSE(ReplaceFile(Path("missing/dir/model.fm"), std::string_view("x")));
    SideFile file;
    EXPECT_FALSE(file.Write("x"));
    EXPECT_FALSE(file.Commit());
}
