#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fmtoobj/options.h"

using namespace ::fmtoobj;

namespace {

CommandLine Parse(std::vector<std::string> arguments) {
    return ParseCommandLine(arguments);
}

}  // namespace

TEST(CommandLine, DefaultsWithoutArguments) {
    CommandLine line = Parse({});
    EXPECT_TRUE(line.error.empty());
    EXPECT_EQ(line.options.inputPath, "tris.fm");
    EXPECT_EQ(line.options.frameName, ":-)");
    EXPECT_EQ(line.options.nodeMask, 0xFFFFu);
    EXPECT_FALSE(line.options.extended || line.options.perNode || line.options.sparse ||
                 line.options.partNames || line.options.editorOrientation ||
                 line.options.trueSpace || line.options.poser);
}

TEST(CommandLine, FlagsInEitherCase) {
    for (auto arguments : {std::vector<std::string>{"/x", "/p", "/g", "/c", "/s", "/2", "/4"},
                           std::vector<std::string>{"/X", "/P", "/G", "/C", "/S", "/2", "/4"}}) {
        ConverterOptions options = Parse(arguments).options;
        EXPECT_TRUE(options.extended && options.perNode && options.editorOrientation &&
                    options.partNames && options.sparse && options.trueSpace && options.poser);
    }
}

TEST(CommandLine, ValuesAreConsumedAndMasksReadAsHex) {
    CommandLine line = Parse({"/M", "1f", "/F", "/x", "model.fm"});
    EXPECT_TRUE(line.error.empty());
    EXPECT_EQ(line.options.nodeMask, 0x1Fu);
    EXPECT_EQ(line.options.frameName, "/x");  // the value, not an option
    EXPECT_FALSE(line.options.extended);
    EXPECT_EQ(line.options.inputPath, "model.fm");
    EXPECT_EQ(Parse({"/m", "0x8000"}).options.nodeMask, 0x8000u);
    EXPECT_EQ(Parse({"/m", "zz"}).options.nodeMask, 0xFFFFu);  // nothing readable: unchanged
    EXPECT_EQ(Parse({"/m", "123456789"}).options.nodeMask, 0x23456789u);
    EXPECT_EQ(Parse({"/f", ":-)"}).options.frameName, ":-)");
}

TEST(CommandLine, UsageErrors) {
    EXPECT_EQ(Parse({"/s", "/m"}).error, "/m requires hexadecimal argument");
    EXPECT_EQ(Parse({"/f"}).error, "/f requires string argument");
    EXPECT_EQ(Parse({"a.fm", "/x"}).error, "unrecognized argument");
    EXPECT_EQ(Parse({"/xx", "a.fm"}).error, "unrecognized argument");
    // An unknown option in last place is taken as the file name.
    EXPECT_EQ(Parse({"/q"}).options.inputPath, "/q");
    EXPECT_TRUE(Parse({"/q"}).error.empty());
}
