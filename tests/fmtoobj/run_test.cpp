// The whole program: command line, start-up lines, the input file and files in the current
// directory.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "bytes/replace_file.h"
#include "fmtoobj/console_text.h"
#include "fmtoobj/converter.h"
#include "tests/fmtoobj/test_model.h"
#include "tests/support/scratch_directory.h"

using namespace ::bytes;
using namespace ::fmtoobj;

namespace {

namespace fs = std::filesystem;

class RunTest : public ::testing::Test {
  protected:
    void SetUp() override {
        previous_ = fs::current_path();
        dir_ = scratch_.Path();
        fs::current_path(dir_);
    }
    void TearDown() override { fs::current_path(previous_); }

    int Run(std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), "fmtoobj");
        std::ostringstream out;
        CurrentDirectory output;
        int status = RunFmToObj(arguments, out, output);
        console_ = out.str();
        return status;
    }

    static std::string Contents(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    fs::path previous_;
    ScratchDirectory scratch_{"fmtoobj_run"};
    fs::path dir_;
    std::string console_;
};

const char* const STARTUP =
    "Executing fmtoobj\n"
    "fmtoobj - FlexModel frame to Wavefront OBJ converter of the Marionet tool set\n";

}  // namespace

TEST_F(RunTest, UsageErrorsPrintUsageThenTheMessage) {
    const std::pair<std::vector<std::string>, const char*> cases[] = {
        {{"/m"}, "/m requires hexadecimal argument"},
        {{"/x", "/f"}, "/f requires string argument"},
        {{"a.fm", "b.fm"}, "unrecognized argument"},
    };
    for (const auto& [arguments, message] : cases) {
        EXPECT_EQ(Run(arguments), -1);
        EXPECT_EQ(console_, STARTUP + UsageText("fmtoobj") + "\nFATAL: " + message + "\n");
    }
}

TEST_F(RunTest, UsageTextLineByLine) {
    std::string usage = UsageText("fm");
    EXPECT_EQ(
        usage.find("\nProgram: fm\n Version 1.4\n"
                   "Purpose: Export a single frame of a Heretic II FlexModel as Wavefront .OBJ\n\n"
                   "Usage:\nfm [/f framename] [/m hexmask] [/p] [/x] file.fm\nOptions:\n"),
        0u);
    EXPECT_NE(usage.find("    file,fm         Name of the input file (else tris.fm)\n"
                         "Output file name is frame name + hexmask + .obj\n"),
              std::string::npos);
}

TEST_F(RunTest, LongProgramPathIsPrintedWhole) {
    std::string path(600, 'p');
    EXPECT_NE(UsageText(path).find(path + " [/f framename] [/m hexmask] [/p] [/x] file.fm\n"),
              std::string::npos);
}

TEST_F(RunTest, MissingInputExitsWithTheSystemErrorNumber) {
    EXPECT_EQ(Run({}), ENOENT);
    EXPECT_EQ(console_, STARTUP + std::string("Opening model file: tris.fm\n") +
                            UsageText("fmtoobj") + "\nFATAL: Can't open model file\n");
}

TEST_F(RunTest, DirectoryAsInputIsAFatalError) {
    fs::create_directories("model.fm");
    EXPECT_EQ(Run({"model.fm"}), -1);
    EXPECT_EQ(console_.substr(console_.size() - 30), "\nFATAL: Can't read model file\n");
}

TEST_F(RunTest, DeviceAsInputIsReadToItsEnd) {
    EXPECT_EQ(Run({"/dev/null"}), -1);
    EXPECT_EQ(console_.substr(console_.size() - 35), "\n\nFATAL: Model has no HEADER chunk\n");
}

TEST_F(RunTest, NoArgumentsConvertTrisFmIntoTheCurrentDirectory) {
    ASSERT_TRUE(ReplaceFile("tris.fm", BuildFlexModel(TinyModel())));
    EXPECT_EQ(Run({}), 0);
    EXPECT_EQ(console_.substr(0, std::string(STARTUP).size() + 28),
              STARTUP + std::string("Opening model file: tris.fm\n"));
    EXPECT_EQ(console_.substr(console_.size() - 23), "\nWrote: stand1FFFF.obj\n");
    EXPECT_EQ(Contents("stand1FFFF.obj"), Convert(TinyModel()).output.files["stand1FFFF.obj"]);
    EXPECT_EQ(std::distance(fs::directory_iterator("."), {}), 2);  // no side file left over
}

TEST_F(RunTest, FatalErrorOfTheModelExitsWithMinusOne) {
    ASSERT_TRUE(ReplaceFile("bad.fm", std::string_view("not a model")));
    EXPECT_EQ(Run({"/f", "x", "bad.fm"}), -1);
    EXPECT_EQ(std::distance(fs::directory_iterator("."), {}), 1);
}

TEST_F(RunTest, ExistingOutputIsReplacedAndAnUnwritableOneSkipped) {
    ASSERT_TRUE(ReplaceFile("tris.fm", BuildFlexModel(TinyModel())));
    ASSERT_TRUE(ReplaceFile("stand10001.obj", std::string_view("old")));
    fs::create_directories("stand10002.obj");  // a directory cannot be replaced by the file
    EXPECT_EQ(Run({"/p"}), 0);
    EXPECT_NE(Contents("stand10001.obj"), "old");
    EXPECT_NE(console_.find("Wrote: stand10001.obj\n"), std::string::npos);
    EXPECT_EQ(console_.find("stand10002"), std::string::npos);
    EXPECT_TRUE(fs::is_directory("stand10002.obj"));
    EXPECT_FALSE(fs::exists("stand10002.obj.partial"));
}
