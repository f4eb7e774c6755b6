#include <gtest/gtest.h>

#include <filesystem>

#include "flexmodel/chunk_search.h"
#include "flexmodel/chunk_writer.h"
#include "flexmodel/model_builder.h"
#include "flexmodel/record_io.h"
#include "tests/support/scratch_directory.h"

using namespace ::flexmodel;

namespace {

FlexModelContent SmallModel() {
    FlexModelContent model;
    model.skins = {"a", "b"};
    model.stCoords = {{0, 0}, {128, 64}};
    model.triangles = {TriangleRecord{{0, 1, 2}, {0, 1, 0}}};
    FlexFrame frame;
    frame.name = "stand1";
    frame.vertices = {{1, 2, 3, 0}, {4, 5, 6, 1}, {7, 8, 9, 2}};
    model.frames = {frame, frame};
    GlVertex fan[3] = {{0, 0, 0}, {0.5f, 0.25f, 1}, {0, 0, 2}};
    AppendGlCommand(model.glCommandWords, GlCommandKind::Fan, fan);
    EndGlCommandList(model.glCommandWords);
    model.meshNodes.resize(16);
    model.skeleton = FlexSkeleton{5, {{0}, {1, 2}, {}}, true, {{}, {}}};
    model.references = FlexReferences{0, 1, {{}, {}}};
    return model;
}

}  // namespace

TEST(ChunkWriter, OpenChunkGetsItsSizeWhenClosed) {
    ChunkWriter writer;
    ASSERT_TRUE(writer.BeginChunk(GLCMDS_CHUNK));
    EXPECT_FALSE(writer.BeginChunk(SKIN_CHUNK));
    EXPECT_EQ(ByteReader(writer.Bytes()).Int32(36), 0);
    writer.Data().AppendInt32(-3);
    writer.Data().AppendInt32(0);
    ASSERT_TRUE(writer.EndChunk());
    EXPECT_FALSE(writer.EndChunk());
    auto header = ReadChunkHeader(ByteReader(writer.Bytes()), 0);
    ASSERT_TRUE(header);
    EXPECT_EQ(header->Ident(), "glcmds");
    EXPECT_EQ(header->version, 1);
    EXPECT_EQ(header->size, 8);
    // The ident field is cleared past the name.
    for (std::size_t i = 6; i < CHUNK_IDENT_SIZE; ++i) {
        EXPECT_EQ(writer.Bytes()[i], 0);
    }
}

TEST(ChunkWriter, RewritesTheHeaderDataOfTheFirstChunkOnly) {
    ChunkWriter writer;
    EXPECT_FALSE(writer.RewriteHeader(FlexHeader{}));
    ByteWriter data;
    AppendFlexHeader(data, FlexHeader{});
    writer.WriteChunk(HEADER_CHUNK, data);
    writer.WriteChunk(SKIN_CHUNK, data);
    FlexHeader header;
    header.numGlCmds = 77;
    ASSERT_TRUE(writer.RewriteHeader(header));
    ByteReader in(writer.Bytes());
    EXPECT_EQ(ReadFlexHeader(in, HEADER_DATA_OFFSET)->numGlCmds, 77);
    EXPECT_EQ(ReadFlexHeader(in, 2 * CHUNK_HEADER_SIZE + HEADER_DATA_SIZE)->numGlCmds, 0);
}

TEST(ModelBuilder, WritesEveryChunkInOrderWithoutGaps) {
    std::vector<uint8_t> bytes = BuildFlexModel(SmallModel());
    const char* order[] = {"header", "skin",       "st coord", "tris",      "frames",
                           "glcmds", "mesh nodes", "skeleton", "references"};
    const std::size_t sizes[] = {
        40, 128, 8, 12, 2 * (40 + 12), 4 * 11, 16 * 516, 20 + 4 * 3 + 4 + 2 * 108, 8 + 2 * 252};
    ByteReader in(bytes);
    std::size_t offset = 0;
    for (std::size_t i = 0; i < std::size(order); ++i) {
        auto header = ReadChunkHeader(in, offset);
        ASSERT_TRUE(header) << order[i];
        EXPECT_EQ(header->Ident(), order[i]);
        EXPECT_EQ(header->size, static_cast<int32_t>(sizes[i])) << order[i];
        offset += CHUNK_HEADER_SIZE + header->size;
    }
    EXPECT_EQ(offset, bytes.size());
    FlexHeader header = *ReadFlexHeader(in, HEADER_DATA_OFFSET);
    EXPECT_EQ(header.numGlCmds, 11);  // the final count, rewritten at the end
    EXPECT_EQ(header.frameSize, 52);
    EXPECT_EQ(header.numXyz, 3);
    EXPECT_EQ(header.numFrames, 2);
    EXPECT_EQ(header.numMeshNodes, 16);
}

TEST(FindChunk, FindsByNameAndStopsAtDamage) {
    std::vector<uint8_t> bytes = BuildFlexModel(SmallModel());
    auto frames = FindChunk(bytes, "frames");
    ASSERT_TRUE(frames);
    EXPECT_EQ(frames->dataSize, 104u);
    EXPECT_EQ(ByteReader(bytes).FixedName(frames->dataOffset + 24, 16), "stand1");
    EXPECT_FALSE(FindChunk(bytes, "frame"));
    EXPECT_FALSE(FindChunk({}, "header"));

    // A size running past the end hides every later chunk instead of reading beyond it.
    std::vector<uint8_t> damaged = bytes;
    ByteWriter patched;
    patched.AppendBytes(damaged);
    patched.PatchInt32(CHUNK_HEADER_SIZE + HEADER_DATA_SIZE + 36, 1 << 30);
    EXPECT_TRUE(FindChunk(patched.Bytes(), "header"));
    EXPECT_FALSE(FindChunk(patched.Bytes(), "frames"));
    patched.PatchInt32(CHUNK_HEADER_SIZE + HEADER_DATA_SIZE + 36, -40);
    EXPECT_FALSE(FindChunk(patched.Bytes(), "frames"));
    std::vector<uint8_t> truncated(bytes.begin(), bytes.begin() + 100);
    EXPECT_FALSE(FindChunk(truncated, "st coord"));
}

TEST(ChunkCursor, StepsOverEachChunkAndStaysAtOneWhoseSizeLies) {
    struct Case {
        int32_t size;
        bool taken;
    };
    // One chunk header followed by 8 bytes of data.
    const Case cases[] = {{0, true}, {8, true}, {9, false}, {-1, false}, {1 << 30, false}};
    for (const Case& c : cases) {
        ByteWriter file;
        file.AppendFixedName("header", CHUNK_IDENT_SIZE);
        file.AppendInt32(2);
        file.AppendInt32(c.size);
        file.AppendBytes(std::vector<uint8_t>(8, 0));
        const ByteReader in(file.Bytes());
        ChunkCursor cursor(in);
        auto header = cursor.ReadHeader();
        ASSERT_TRUE(header) << c.size;
        auto chunk = cursor.TakeChunk(*header);
        ASSERT_EQ(chunk.has_value(), c.taken) << c.size;
        if (chunk) {
            EXPECT_EQ(chunk->dataOffset, CHUNK_HEADER_SIZE);
            EXPECT_EQ(chunk->dataSize, std::size_t(c.size));
            EXPECT_EQ(cursor.AtEnd(), c.size == 8) << c.size;
        } else {
            EXPECT_TRUE(cursor.ReadHeader()) << "the cursor stays at the damaged chunk";
        }
    }
    const std::vector<uint8_t> shortHeader(CHUNK_HEADER_SIZE - 1, 0);
    const ByteReader cut(shortHeader);
    EXPECT_FALSE(ChunkCursor(cut).ReadHeader());
}

TEST(ChunkWriter, SavesItsBytes) {
    ScratchDirectory scratch("flexmodel_save");
    const std::string path = (scratch.Path() / "a.fm").string();
    ChunkWriter writer;
    writer.WriteChunk(SKIN_CHUNK, std::span<const uint8_t>());
    ASSERT_TRUE(writer.SaveAs(path));
    EXPECT_EQ(std::filesystem::file_size(path), CHUNK_HEADER_SIZE);
}
