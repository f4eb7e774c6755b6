#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <vector>

#include "bytes/byte_reader.h"
#include "bytes/byte_writer.h"

using namespace ::bytes;

TEST(ByteWriter, FixedNameIsZeroFilledAndKeepsItsNul) {
    ByteWriter out;
    out.AppendFixedName("abcdefghijklmnopqrst", 16);
    ASSERT_EQ(out.Size(), 16u);
    EXPECT_EQ(out.Bytes()[14], 'o');
    EXPECT_EQ(out.Bytes()[15], 0);
    ByteWriter shortName;
    shortName.AppendFixedName("ab", 8);
    EXPECT_EQ(shortName.Bytes(), (std::vector<uint8_t>{'a', 'b', 0, 0, 0, 0, 0, 0}));
}

TEST(ByteWriter, PatchesInPlaceAndRefusesPatchesPastTheEnd) {
    ByteWriter out;
    out.AppendInt32(0);
    out.AppendInt32(0);
    EXPECT_TRUE(out.PatchInt32(4, 0x01020304));
    EXPECT_FALSE(out.PatchInt32(5, 7));
    EXPECT_EQ(ByteReader(out.Bytes()).Int32(4), 0x01020304);
    EXPECT_EQ(ByteReader(out.Bytes()).Int32(0), 0);
    EXPECT_EQ(out.Size(), 8u);
}

TEST(ByteWriter, PatchesBytesAssembledElsewhere) {
    ByteWriter out(std::vector<uint8_t>(12, 0));
    EXPECT_TRUE(out.PatchDouble(4, 1.5));
    EXPECT_FALSE(out.PatchDouble(5, 1.5));
    out.AppendUint8(9);
    const std::vector<uint8_t> bytes = out.Take();
    ASSERT_EQ(bytes.size(), 13u);
    EXPECT_EQ(ByteReader(bytes).Double(4), 1.5);
    EXPECT_EQ(bytes[11], 0x3F);  // the sign and exponent come last
    EXPECT_EQ(bytes[12], 9);
}
