#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <vector>

#include "bytes/byte_reader.h"
#include "flexmodel/byte_builder.h"

using namespace ::bytes;
using namespace ::flexmodel;

TEST(ByteReader, ReadsLittleEndianValuesWrittenByTheBuilder) {
    ByteBuilder out;
    out.AppendInt32(-2);
    out.AppendInt16(-300);
    out.AppendUint8(0xAB);
    out.AppendFloat(1.5f);
    out.AppendFixedName("stand1", 16);
    ByteReader in(out.Bytes());
    EXPECT_EQ(in.Int32(0), -2);
    EXPECT_EQ(in.Int16(4), -300);
    EXPECT_EQ(in.Uint8(6), 0xAB);
    EXPECT_EQ(in.Float(7), 1.5f);
    EXPECT_EQ(in.FixedName(11, 16), "stand1");
    EXPECT_EQ(in.Size(), 27u);
    EXPECT_EQ(out.Bytes()[0], 0xFE);  // least significant byte first
    EXPECT_EQ(out.Bytes()[3], 0xFF);
}

TEST(ByteReader, RefusesEveryReadThatLeavesTheSpan) {
    std::vector<uint8_t> bytes(8, 0);
    ByteReader in(bytes);
    EXPECT_TRUE(in.Int32(4).has_value());
    EXPECT_FALSE(in.Int32(5).has_value());
    EXPECT_FALSE(in.Int16(7).has_value());
    EXPECT_FALSE(in.Uint8(8).has_value());
    EXPECT_FALSE(in.Float(std::numeric_limits<std::size_t>::max() - 1).has_value());
    EXPECT_FALSE(in.Slice(2, std::numeric_limits<std::size_t>::max()).has_value());
    EXPECT_FALSE(in.FixedName(0, 9).has_value());
    EXPECT_TRUE(in.Contains(8, 0));
    EXPECT_FALSE(in.Contains(9, 0));
}

TEST(ByteReader, NameWithoutNulEndsAtTheFieldEnd) {
    std::vector<uint8_t> bytes = {'a', 'b', 'c', 'd', 'x'};
    EXPECT_EQ(ByteReader(bytes).FixedName(0, 4), "abcd");
}

TEST(ByteBuilder, FixedNameIsZeroFilledAndKeepsItsNul) {
    ByteBuilder out;
    out.AppendFixedName("abcdefghijklmnopqrst", 16);
    ASSERT_EQ(out.Size(), 16u);
    EXPECT_EQ(out.Bytes()[14], 'o');
    EXPECT_EQ(out.Bytes()[15], 0);
    ByteBuilder shortName;
    shortName.AppendFixedName("ab", 8);
    EXPECT_EQ(shortName.Bytes(), (std::vector<uint8_t>{'a', 'b', 0, 0, 0, 0, 0, 0}));
}

TEST(ByteBuilder, PatchesInPlaceAndRefusesPatchesPastTheEnd) {
    ByteBuilder out;
    out.AppendInt32(0);
    out.AppendInt32(0);
    EXPECT_TRUE(out.PatchInt32(4, 0x01020304));
    EXPECT_FALSE(out.PatchInt32(5, 7));
    EXPECT_EQ(ByteReader(out.Bytes()).Int32(4), 0x01020304);
    EXPECT_EQ(ByteReader(out.Bytes()).Int32(0), 0);
    EXPECT_EQ(out.Size(), 8u);
}
