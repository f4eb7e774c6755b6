#include "bytes/whole_file.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tests/support/scratch_directory.h"

using namespace ::bytes;

namespace {

std::string WriteFile(const ScratchDirectory& directory, const std::string& name,
                      const std::vector<uint8_t>& bytes) {
    std::string path = directory.File(name);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return path;
}

}  // namespace

TEST(ReadWholeFile, ReadsEveryByteOrSaysWhyNot) {
    ScratchDirectory directory;
    std::vector<uint8_t> contents = {0, 1, 2, 255, 0};
    std::string path = WriteFile(directory, "five.bin", contents);
    std::vector<uint8_t> bytes = {9};

    ASSERT_TRUE(ReadWholeFile(path, bytes));
    EXPECT_EQ(bytes, contents);
    ASSERT_TRUE(ReadWholeFile(WriteFile(directory, "empty.bin", {}), bytes));
    EXPECT_TRUE(bytes.empty());
    ASSERT_TRUE(ReadWholeFile("/dev/null", bytes));  // a device is read to its end

    bytes = {9};
    Status missing = ReadWholeFile(directory.File("missing.bin"), bytes);
    EXPECT_EQ(missing.Kind(), Failure::CantOpen);
    EXPECT_EQ(missing.SystemError(), ENOENT);
    EXPECT_NE(missing.Reason().find("missing.bin"), std::string::npos);
    EXPECT_TRUE(bytes.empty());

    EXPECT_EQ(ReadWholeFile(directory.Path().string(), bytes).Kind(), Failure::CantRead);
}

TEST(ReadWholeFile, RefusesFilesOverTheLimitUnread) {
    ScratchDirectory directory;
    std::string path = directory.File("huge.bin");
    std::ofstream(path, std::ios::binary).close();
    std::filesystem::resize_file(path, MAX_FILE_BYTES + 1);  // sparse: nothing is written
    std::vector<uint8_t> bytes;
    EXPECT_EQ(ReadWholeFile(path, bytes).Kind(), Failure::TooLarge);
    EXPECT_TRUE(bytes.empty());
}

TEST(ReadFileOfSize, TakesOnlyTheExactSize) {
    ScratchDirectory directory;
    std::string path = WriteFile(directory, "four.bin", {1, 2, 3, 4});
    std::vector<uint8_t> bytes;
    EXPECT_TRUE(ReadFileOfSize(path, 4, bytes));
    EXPECT_EQ(bytes.size(), 4u);
    for (std::size_t wrong : {0u, 3u, 5u}) {
        EXPECT_EQ(ReadFileOfSize(path, wrong, bytes).Kind(), Failure::WrongSize) << wrong;
        EXPECT_TRUE(bytes.empty());
    }
    EXPECT_EQ(ReadFileOfSize("/dev/null", 4, bytes).Kind(), Failure::WrongSize);
}

TEST(Status, SuccessIsTheDefaultAndFailuresKeepTheirReason) {
    Status ok;
    EXPECT_TRUE(ok.Ok());
    EXPECT_EQ(ok.Kind(), Failure::None);
    Status bad = Status::BadData("Not a recognized TGA file");
    EXPECT_FALSE(bad);
    EXPECT_EQ(bad.Kind(), Failure::BadData);
    EXPECT_EQ(bad.Reason(), "Not a recognized TGA file");
    EXPECT_EQ(&Trace(bad), &bad);
}
