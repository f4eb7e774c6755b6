#include "editor/skeleton/pose_file.h"

#include <gtest/gtest.h>

#include <cstring>

#include "bytes/byte_reader.h"
#include "bytes/byte_writer.h"

using namespace ::bytes;
using namespace ::editor::skeleton;

namespace {
// The bytes with one 32-bit value replaced, as a damaged or foreign file would have it.
std::vector<uint8_t> WithInt32(std::vector<uint8_t> bytes, std::size_t offset, int32_t value) {
    ByteWriter patched(std::move(bytes));
    EXPECT_TRUE(patched.PatchInt32(offset, value));
    return patched.Take();
}

PoseRecord Named(const std::string& name) {
    PoseRecord record;
    SetPoseName(record, name);
    return record;
}

std::vector<std::string> Names(const std::vector<PoseRecord>& records) {
    std::vector<std::string> names;
    for (const PoseRecord& record : records) {
        names.push_back(PoseName(record));
    }
    return names;
}

void InsertFrame(std::vector<PoseRecord>& records, const std::string& name) {
    records.insert(records.begin() + FrameInsertionIndex(records, name), Named(name));
}
}  // namespace

TEST(PoseRecordLayout, FieldsSitAtTheirByteOffsets) {
    PoseRecord record = Named("walk1");
    record.startPositions[8] = {1.5, -2.25, 3.0};
    record.angles[0] = {0.125, 0.5, -4.0};
    record.angles[36] = {7.0, 8.0, 9.0};
    ByteWriter out;
    AppendPoseRecord(out, record);
    ASSERT_EQ(out.Size(), POSE_RECORD_SIZE);
    const uint8_t* bytes = out.Bytes().data();
    EXPECT_EQ(std::memcmp(bytes, "walk1\0\0\0\0\0\0\0\0\0\0\0", 16), 0);
    EXPECT_EQ(ByteReader(out.Bytes()).Double(208), 1.5);
    EXPECT_EQ(ByteReader(out.Bytes()).Double(216), -2.25);
    EXPECT_EQ(ByteReader(out.Bytes()).Double(224), 3.0);
    EXPECT_EQ(ByteReader(out.Bytes()).Double(904), 0.125);
    EXPECT_EQ(ByteReader(out.Bytes()).Double(912), 0.5);
    EXPECT_EQ(ByteReader(out.Bytes()).Double(1792 - 8), 9.0);
    // 1.5 as a little-endian double: the sign/exponent byte comes last.
    EXPECT_EQ(bytes[208 + 7], 0x3F);
    EXPECT_EQ(bytes[208 + 6], 0xF8);

    PoseRecord back;
    ReadPoseRecord(out.Bytes(), back);
    EXPECT_EQ(PoseName(back), "walk1");
    EXPECT_EQ(back.startPositions[8], record.startPositions[8]);
    EXPECT_EQ(back.angles[36].angleZ, 9.0);
}

TEST(PoseRecordName, CutToFifteenAndUnterminatedNamesStayInside) {
    PoseRecord record = Named("abcdefghijklmnopqrst");
    EXPECT_EQ(PoseName(record), "abcdefghijklmno");
    EXPECT_EQ(record.name[15], '\0');
    std::memset(record.name, 'x', 16);  // as a foreign file might hold
    EXPECT_EQ(PoseName(record).size(), 16u);
}

TEST(PoseFileImage, RoundTripsAndRefusesBadHeaders) {
    std::vector<PoseRecord> records = {Named("a"), Named("b")};
    records[1].angles[3].angleY = 1.25;
    std::vector<uint8_t> bytes = SerializePoseFile(records);
    ASSERT_EQ(bytes.size(), 8u + 2 * 1792);
    EXPECT_EQ(ByteReader(bytes).Int32(0), 2);
    EXPECT_EQ(ByteReader(bytes).Int32(4), 4);
    std::vector<PoseRecord> back;
    ASSERT_TRUE(ParsePoseFile(bytes, back));
    EXPECT_EQ(Names(back), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(back[1].angles[3].angleY, 1.25);
    EXPECT_EQ(SerializePoseFile(back), bytes);

    EXPECT_FALSE(ParsePoseFile(WithInt32(bytes, 4, 3), back));  // the version
    EXPECT_FALSE(ParsePoseFile(WithInt32(bytes, 0, 0), back));  // no records
    EXPECT_FALSE(ParsePoseFile(WithInt32(bytes, 0, -1), back));
    // A count promising more than the file holds is refused, never read past the end.
    EXPECT_FALSE(ParsePoseFile(WithInt32(bytes, 0, 3), back));
    EXPECT_FALSE(ParsePoseFile(WithInt32(bytes, 0, 0x7FFFFFFF), back));
    std::vector<uint8_t> cut(bytes.begin(), bytes.end() - 1);
    EXPECT_FALSE(ParsePoseFile(cut, back));
    EXPECT_FALSE(ParsePoseFile(std::vector<uint8_t>(7, 0), back));
    // Bytes beyond the counted records are ignored.
    std::vector<uint8_t> trailing = bytes;
    trailing.push_back(0xAA);
    EXPECT_TRUE(ParsePoseFile(trailing, back));
}

TEST(SplitFrameName, DigitsAfterTheFirstCharacterAreTheNumber) {
    struct Case {
        const char* name;
        const char* base;
        long long number;
    } cases[] = {{"walk12", "walk", 12},
                 {"walk", "walk", 0},
                 {"12", "1", 2},
                 {"run007", "run", 7},
                 {"7", "7", 0},
                 {"", "", 0},
                 {"a99999999999999", "a", 99999999999999LL}};
    for (const Case& c : cases) {
        std::string base = "junk";
        long long number = -1;
        SplitFrameName(c.name, base, number);
        EXPECT_EQ(base, c.base) << c.name;
        EXPECT_EQ(number, c.number) << c.name;
    }
}

TEST(FrameInsertion, KeepsFramesOfOneBaseInNumberOrder) {
    std::vector<PoseRecord> records = {Named("walk1"), Named("walk3"), Named("run1")};
    InsertFrame(records, "walk2");
    EXPECT_EQ(Names(records), (std::vector<std::string>{"walk1", "walk2", "walk3", "run1"}));
    InsertFrame(records, "jump");
    EXPECT_EQ(Names(records).back(), "jump");
    InsertFrame(records, "walk01");
    EXPECT_EQ(Names(records),
              (std::vector<std::string>{"walk1", "walk01", "walk2", "walk3", "run1", "jump"}));
    InsertFrame(records, "walk0");
    EXPECT_EQ(Names(records).front(), "walk0");
    InsertFrame(records, "run10");
    EXPECT_EQ(Names(records)[6], "run10");
    EXPECT_EQ(FindFrame(records, "walk3"), 4);
    EXPECT_EQ(FindFrame(records, "Walk3"), -1);
    std::vector<PoseRecord> empty;
    EXPECT_EQ(FrameInsertionIndex(empty, "x"), 0u);
}
