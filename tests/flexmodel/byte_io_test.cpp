#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <vector>

#include "bytes/byte_reader.h"
#include "flexmodel/byte_builder.h"

using namespace ::bytes;
using namespace ::flexmodel;

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
