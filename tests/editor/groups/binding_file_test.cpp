#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "editor/groups/binding_file.h"

using namespace ::editor::groups;

namespace {

uint32_t WordAt(const std::vector<uint8_t>& bytes, std::size_t offset) {
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i) {
        value = (value << 8) | bytes[offset + i];
    }
    return value;
}

TEST(BindingFile, LayoutOfEveryRecord) {
    BoneBindings bindings;
    bindings[0].SetBit(0);
    bindings[36].SetBit(2047);
    bindings[5].SetRange(9, 3);
    const std::vector<uint8_t> bytes = SerializeBindingFile(bindings);
    ASSERT_EQ(bytes.size(), 10212u);
    for (int bone = 0; bone < NUM_BONES; ++bone) {
        const std::size_t record = bone * 276;
        EXPECT_EQ(WordAt(bytes, record), 0x00441948u);
        EXPECT_EQ(WordAt(bytes, record + 4), 0u);
        EXPECT_EQ(WordAt(bytes, record + 12), 256u);
        EXPECT_EQ(WordAt(bytes, record + 16), 2048u);
    }
    EXPECT_EQ(bytes[20], 0x01);                   // bone 0, triangle 0
    EXPECT_EQ(bytes[5 * 276 + 20 + 1], 0x0E);     // bone 5, triangles 9..11
    EXPECT_EQ(bytes[36 * 276 + 20 + 255], 0x80);  // bone 36, triangle 2047
}

TEST(BindingFile, OnlyTheBitsOfEachRecordAreTaken) {
    BoneBindings written;
    written[3].SetRange(100, 50);
    std::vector<uint8_t> bytes = SerializeBindingFile(written);
    // Headers full of nonsense change nothing.
    for (int bone = 0; bone < NUM_BONES; ++bone) {
        std::memset(&bytes[bone * 276], 0xEE, 20);
    }
    BoneBindings read;
    read[7].SetBit(1);  // replaced by the file's empty set
    ASSERT_TRUE(ParseBindingFile(bytes, read));
    for (int bone = 0; bone < NUM_BONES; ++bone) {
        EXPECT_TRUE(read[bone].Equals(written[bone])) << bone;
    }
}

TEST(BindingFile, AnyOtherLengthIsRefusedUnread) {
    BoneBindings bindings;
    bindings[1].SetBit(5);
    for (std::size_t size : {0u, 276u, 10211u, 10213u, 20424u}) {
        std::vector<uint8_t> bytes(size, 0xFF);
        EXPECT_FALSE(ParseBindingFile(bytes, bindings)) << size;
        EXPECT_EQ(bindings[1].Count(), 1);
        EXPECT_EQ(bindings[2].Count(), 0);
    }
}

TEST(BindingFile, BitsBeyondTheModelAreClipped) {
    BoneBindings bindings;
    bindings[4].SetBit(1499);
    EXPECT_FALSE(ClipBindings(bindings, 1500));
    bindings[4].SetBit(2000);
    bindings[9].SetRange(1400, 200);
    EXPECT_TRUE(ClipBindings(bindings, 1500));
    EXPECT_EQ(bindings[4].Count(), 1);
    EXPECT_EQ(bindings[9].Count(), 100);
    EXPECT_EQ(bindings[9].FindSetRun(1500, 1), -1);
}

}  // namespace
