#include "bytes/byte_reader.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <vector>

#include "bytes/byte_writer.h"

using namespace ::bytes;

TEST(ByteReader, ReadsLittleEndianValuesWrittenByTheWriter) {
    ByteWriter out;
    out.AppendInt32(-2);
    out.AppendInt16(-300);
    out.AppendUint8(0xAB);
    out.AppendFloat(1.5f);
    out.AppendFixedName("stand1", 16);
    out.AppendUint16(0xBEEF);
    out.AppendDouble(-0.375);
    ByteReader in(out.Bytes());
    EXPECT_EQ(in.Int32(0), -2);
    EXPECT_EQ(in.Int16(4), -300);
    EXPECT_EQ(in.Uint8(6), 0xAB);
    EXPECT_EQ(in.Float(7), 1.5f);
    EXPECT_EQ(in.FixedName(11, 16), "stand1");
    EXPECT_EQ(in.Uint16(27), 0xBEEF);
    EXPECT_EQ(in.Double(29), -0.375);
    EXPECT_EQ(in.Size(), 37u);
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

TEST(ByteReader, SequentialReadsMoveOnlyWhenTheyFit) {
    std::vector<uint8_t> bytes = {0x34, 0x12, 0xFE, 0xFF, 0xFF, 0xFF, 7};
    ByteReader in(bytes);
    uint16_t word = 0;
    int32_t value = 0;
    uint32_t tooFar = 99;
    EXPECT_TRUE(in.ReadU16(word));
    EXPECT_EQ(word, 0x1234);
    EXPECT_TRUE(in.ReadI32(value));
    EXPECT_EQ(value, -2);
    EXPECT_FALSE(in.ReadU32(tooFar));
    EXPECT_EQ(tooFar, 99u);
    EXPECT_EQ(in.Position(), 6u);
    EXPECT_EQ(in.Remaining(), 1u);
    EXPECT_FALSE(in.Skip(2));
    EXPECT_FALSE(in.Seek(8));
    EXPECT_EQ(in.Position(), 6u);
    std::span<const uint8_t> last;
    EXPECT_TRUE(in.Take(1, last));
    EXPECT_EQ(last[0], 7);
    EXPECT_TRUE(in.AtEnd());
}

TEST(ByteReader, RangeReadsOnlyInsideItsOwnBounds) {
    std::vector<uint8_t> bytes = {1, 2, 3, 4, 5, 6, 7, 8};
    ByteReader file(bytes);
    auto chunk = file.Range(2, 4);
    ASSERT_TRUE(chunk);
    EXPECT_EQ(chunk->Size(), 4u);
    EXPECT_EQ(chunk->Uint8(0), 3);
    EXPECT_EQ(chunk->Uint32(0), 0x06050403u);
    EXPECT_FALSE(chunk->Uint8(4).has_value());  // the file's next byte is not the chunk's
    EXPECT_FALSE(chunk->Range(3, 2).has_value());
    EXPECT_FALSE(file.Range(7, 2).has_value());
    EXPECT_FALSE(file.Range(std::numeric_limits<std::size_t>::max(), 2).has_value());
    EXPECT_TRUE(file.Range(8, 0).has_value());
}
