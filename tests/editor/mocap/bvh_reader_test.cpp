#include "editor/mocap/bvh_reader.h"

#include <gtest/gtest.h>

#include <string>

using namespace ::editor::mocap;

namespace {

// A small valid clip: a root with one joint and an end site, two frames.
const std::string kHeader =
    "HIERARCHY\n"                                                                 // 1
    "ROOT Hips\n"                                                                 // 2
    "{\n"                                                                         // 3
    "  OFFSET 0 0 0\n"                                                            // 4
    "  CHANNELS 6 Xposition Yposition Zposition Zrotation Xrotation Yrotation\n"  // 5
    "  JOINT Chest\n"                                                             // 6
    "  {\n"                                                                       // 7
    "    OFFSET 0 5 0\n"                                                          // 8
    "    CHANNELS 3 Yrotation Xrotation Zrotation\n"                              // 9
    "    End Site\n"                                                              // 10
    "    {\n"                                                                     // 11
    "      OFFSET 0 2 0\n"                                                        // 12
    "    }\n"                                                                     // 13
    "  }\n"                                                                       // 14
    "}\n";                                                                        // 15
const std::string kMotion =
    "MOTION\n"             // 16
    "Frames: 2\n"          // 17
    "Frame Time: .01\n"    // 18
    "1 2 3 4 5 6 7 8 9\n"  // 19
    "-1 -2 -3 -4 -5 -6 -7 -8 -9\n";

std::string Replace(std::string text, const std::string& from, const std::string& to) {
    size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos) {
        text.replace(at, from.size(), to);
    }
    return text;
}

TEST(BvhReader, ReadsHierarchyChannelsAndRows) {
    BvhClip clip;
    BvhError error;
    ASSERT_TRUE(ReadBvh(kHeader + kMotion, clip, error)) << error.message;
    ASSERT_EQ(clip.joints.size(), 2u);
    EXPECT_EQ(clip.joints[1].name, "Chest");
    EXPECT_EQ(clip.joints[1].parent, 0);
    EXPECT_EQ(clip.joints[1].offset.y, 5.0);
    EXPECT_EQ(clip.joints[1].firstChannel, 6);
    EXPECT_EQ(clip.joints[1].channels[0], BvhChannel::Yrotation);
    EXPECT_TRUE(clip.joints[1].hasEndSite);
    EXPECT_EQ(clip.joints[1].endSite.y, 2.0);
    EXPECT_EQ(clip.channelsPerFrame, 9);
    EXPECT_EQ(clip.frameCount, 2);
    EXPECT_DOUBLE_EQ(clip.frameTime, 0.01);
    EXPECT_EQ(clip.Row(1)[8], -9.0);
}

TEST(BvhReader, WholeRowsBeyondTheAnnouncedFramesAreLeftUnread) {
    BvhClip clip;
    BvhError error;
    ASSERT_TRUE(ReadBvh(kHeader + kMotion + "9 9 9 9 9 9 9 9 9\n", clip, error)) << error.message;
    EXPECT_EQ(clip.frameCount, 2);
    EXPECT_EQ(clip.values.size(), 18u);
}

struct Malformed {
    const char* what;
    std::string text;
    int line;
    const char* message;
};

class BvhMalformed : public ::testing::TestWithParam<Malformed> {};

TEST_P(BvhMalformed, NamesLineAndReason) {
    const Malformed& c = GetParam();
    BvhClip clip;
    BvhError error;
    ASSERT_FALSE(ReadBvh(c.text, clip, error)) << c.what;
    EXPECT_EQ(error.line, c.line) << c.what << ": " << error.message;
    EXPECT_NE(error.message.find(c.message), std::string::npos) << c.what << ": " << error.message;
}

const std::string kAll = kHeader + kMotion;

INSTANTIATE_TEST_SUITE_P(
    Constructs, BvhMalformed,
    ::testing::Values(
        Malformed{"empty", "", 1, "the file ends where HIERARCHY was expected"},
        Malformed{"no hierarchy", "MOTION\n", 1, "expected HIERARCHY"},
        Malformed{"no root", Replace(kAll, "ROOT", "JOINT"), 2, "expected ROOT"},
        Malformed{"nameless joint", Replace(kAll, "JOINT Chest\n", "JOINT\n"), 7,
                  "a joint needs a name"},
        Malformed{"no brace", Replace(kAll, "  {\n    OFFSET 0 5", "    OFFSET 0 5"), 7,
                  "expected {"},
        Malformed{"short offset", Replace(kAll, "OFFSET 0 5 0", "OFFSET 0 5"), 9,
                  "OFFSET expects 3 numbers"},
        Malformed{"word in offset", Replace(kAll, "OFFSET 0 5 0", "OFFSET 0 five 0"), 8,
                  "OFFSET expects 3 numbers, found 'five'"},
        Malformed{"infinite offset", Replace(kAll, "OFFSET 0 5 0", "OFFSET 0 inf 0"), 8,
                  "OFFSET expects 3 numbers"},
        Malformed{"huge offset", Replace(kAll, "OFFSET 0 5 0", "OFFSET 0 1e300 0"), 8,
                  "OFFSET expects 3 numbers"},
        Malformed{"channel count", Replace(kAll, "CHANNELS 3", "CHANNELS 2"), 9,
                  "CHANNELS expects 3 or 6 names"},
        Malformed{"channel count word", Replace(kAll, "CHANNELS 3", "CHANNELS three"), 9,
                  "CHANNELS expects 3 or 6 names"},
        Malformed{"unknown channel",
                  Replace(kAll, "Yrotation Xrotation Zrotation", "Yrotation Wrotation Zrotation"),
                  9, "unknown channel 'Wrotation'"},
        Malformed{"twice",
                  Replace(kAll, "Yrotation Xrotation Zrotation", "Yrotation Xrotation Yrotation"),
                  9, "channel 'Yrotation' appears twice"},
        Malformed{"no channels",
                  Replace(kAll, "    CHANNELS 3 Yrotation Xrotation Zrotation\n", ""), 9,
                  "expected CHANNELS, found 'End'"},
        Malformed{"duplicate name", Replace(kAll, "JOINT Chest", "JOINT Hips"), 6,
                  "joint name 'Hips' appears twice"},
        Malformed{"end site without offset", Replace(kAll, "      OFFSET 0 2 0\n", ""), 12,
                  "expected OFFSET"},
        Malformed{"stray word", Replace(kAll, "    End Site", "    Bone"), 10,
                  "expected JOINT, End Site or '}', found 'Bone'"},
        Malformed{"second root", Replace(kAll, "    End Site", "    ROOT Two"), 10,
                  "a second ROOT is not supported"},
        Malformed{"unclosed", kHeader.substr(0, kHeader.size() - 2), 14,
                  "the file ends where JOINT, End Site or '}' was expected"},
        Malformed{"no motion", Replace(kAll, "MOTION", "MOTIONS"), 16, "expected MOTION"},
        Malformed{"no frames", Replace(kAll, "Frames:", "Frames"), 17, "expected Frames:"},
        Malformed{"zero frames", Replace(kAll, "Frames: 2", "Frames: 0"), 17,
                  "Frames: expects a whole number from 1 to 500000"},
        Malformed{"negative frames", Replace(kAll, "Frames: 2", "Frames: -3"), 17,
                  "Frames: expects a whole number"},
        Malformed{"too many frames", Replace(kAll, "Frames: 2", "Frames: 500001"), 17,
                  "Frames: expects a whole number"},
        Malformed{"overflowing frames", Replace(kAll, "Frames: 2", "Frames: 99999999999999"), 17,
                  "Frames: expects a whole number"},
        Malformed{"no frame time", Replace(kAll, "Frame Time:", "FrameTime:"), 18,
                  "expected Frame"},
        Malformed{"zero frame time", Replace(kAll, "Time: .01", "Time: 0"), 18,
                  "Frame Time: expects seconds"},
        Malformed{"negative frame time", Replace(kAll, "Time: .01", "Time: -0.01"), 18,
                  "Frame Time: expects seconds"},
        Malformed{"nan frame time", Replace(kAll, "Time: .01", "Time: nan"), 18,
                  "Frame Time: expects seconds"},
        Malformed{"word in row", Replace(kAll, "1 2 3 4", "1 2 x 4"), 19,
                  "frame value 'x' is not a number"},
        Malformed{"short rows", Replace(kAll, "-7 -8 -9\n", "-7\n"), 20,
                  "the file ends after 1 of 2 frames"},
        Malformed{"missing row", Replace(kAll, "-1 -2 -3 -4 -5 -6 -7 -8 -9\n", ""), 19,
                  "the file ends after 1 of 2 frames"},
        Malformed{"extra partial row", kAll + "1 2 3 4 5 6 7 8 9\n1 2\n", 22,
                  "the rows after the 2 frames announced end inside a row"},
        Malformed{"extra word", kAll + "1 2 3 4 5 6 7 8 end\n", 21,
                  "frame value 'end' is not a number"},
        Malformed{"frames beyond the value limit", Replace(kAll, "Frames: 2", "Frames: 499999"), 20,
                  "the file ends after 2 of 499999 frames"}),
    [](const ::testing::TestParamInfo<Malformed>& info) {
        std::string name = info.param.what;
        for (char& c : name) {
            c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        }
        return name;
    });

TEST(BvhReader, RefusesMoreJointsThanTheLimit) {
    std::string text =
        "HIERARCHY\nROOT j0\n{\nOFFSET 0 0 0\nCHANNELS 3 Xrotation Yrotation Zrotation\n";
    for (int j = 1; j <= MAX_BVH_JOINTS; ++j) {
        text += "JOINT j" + std::to_string(j) +
                "\n{\nOFFSET 0 1 0\nCHANNELS 3 Xrotation Yrotation Zrotation\n";
    }
    BvhClip clip;
    BvhError error;
    ASSERT_FALSE(ReadBvh(text, clip, error));
    EXPECT_EQ(error.message, "more than 512 joints");
    EXPECT_EQ(error.line, 6 + 4 * (MAX_BVH_JOINTS - 1));
}

TEST(BvhReader, ErrorTextNamesFileAndLine) {
    EXPECT_EQ(BvhErrorText("walk.bvh", BvhError{12, "CHANNELS expects 3 or 6 names"}),
              "'walk.bvh' line 12: CHANNELS expects 3 or 6 names");
}

}  // namespace
