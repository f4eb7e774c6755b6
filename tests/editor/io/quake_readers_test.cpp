#include <gtest/gtest.h>

#include <memory>

#include "bytes/byte_writer.h"
#include "editor/io/mesh_readers.h"
#include "editor/model/mesh_data.h"
#include "editor/model/triangle_group_table.h"
#include "flexmodel/chunk_search.h"
#include "flexmodel/model_builder.h"
#include "flexmodel/record_io.h"
#include "io_test_support.h"

using namespace ::editor::model;
using namespace ::editor::io;
using namespace ::flexmodel;

namespace {

struct TestFrame {
    std::string name;
    std::array<float, 3> scale;
    std::array<float, 3> translate;
    std::vector<PackedVertex> vertices;
};

// A tetrahedron: four vertices, four triangles, four texture coordinates in texels.
const std::vector<TriangleRecord> TRIANGLES = {
    {{0, 1, 2}, {0, 1, 2}}, {{0, 3, 1}, {0, 3, 1}}, {{1, 3, 2}, {1, 3, 2}}, {{2, 3, 0}, {2, 3, 0}}};
const std::vector<StCoord> ST = {{0, 0}, {100, 0}, {0, 200}, {255, 255}};

std::vector<TestFrame> Frames() {
    return {
        {"stand01",
         {0.5f, 1.0f, 2.0f},
         {1.0f, 2.0f, 3.0f},
         {{0, 0, 0, 5}, {10, 0, 0, 6}, {0, 10, 0, 7}, {0, 0, 10, 8}}},
        {"run01",
         {1.0f, 1.0f, 1.0f},
         {0.0f, 0.0f, 0.0f},
         {{1, 1, 1, 0}, {20, 1, 1, 0}, {1, 20, 1, 0}, {1, 1, 20, 0}}},
    };
}

std::vector<uint8_t> Md2File(const std::vector<TestFrame>& frames,
                             const std::vector<TriangleRecord>& triangles = TRIANGLES) {
    const int32_t numXyz = 4;
    const int32_t frameSize = 40 + 4 * numXyz;
    const int32_t ofsSt = 68;
    const int32_t ofsTris = ofsSt + static_cast<int32_t>(ST.size()) * 4;
    const int32_t ofsFrames = ofsTris + static_cast<int32_t>(triangles.size()) * 12;
    const int32_t ofsEnd = ofsFrames + static_cast<int32_t>(frames.size()) * frameSize;
    ByteWriter out;
    for (int32_t word :
         {0x32504449, 8, 256, 256, frameSize, 0, numXyz, static_cast<int32_t>(ST.size()),
          static_cast<int32_t>(triangles.size()), 0, static_cast<int32_t>(frames.size()), ofsEnd,
          ofsSt, ofsTris, ofsFrames, ofsEnd, ofsEnd}) {
        out.AppendInt32(word);
    }
    for (const StCoord& st : ST) {
        AppendStCoord(out, st);
    }
    for (const TriangleRecord& t : triangles) {
        AppendTriangleRecord(out, t);
    }
    for (const TestFrame& frame : frames) {
        FrameHeader header;
        header.scale = frame.scale;
        header.translate = frame.translate;
        SetFixedName(header.name, frame.name);
        AppendFrameHeader(out, header);
        for (const PackedVertex& v : frame.vertices) {
            AppendPackedVertex(out, v);
        }
    }
    return out.Take();
}

FlexModelContent FmContent(const std::vector<TestFrame>& frames) {
    FlexModelContent content;
    content.skins = {"a", "b"};
    content.stCoords = ST;
    content.triangles = TRIANGLES;
    for (const TestFrame& f : frames) {
        content.frames.push_back(FlexFrame{f.name, PackedSpace{f.scale, f.translate}, f.vertices});
    }
    return content;
}

class QuakeReaderTest : public ::testing::Test {
  protected:
    std::string Write(const std::string& name, const std::vector<uint8_t>& bytes) {
        const std::string path = dir.File(name);
        WriteBytes(path, bytes);
        return path;
    }
    TempDir dir;
    std::unique_ptr<MeshData> mesh = [] {
        auto m = std::make_unique<MeshData>();
        m->groupTable = std::make_unique<TriangleGroupTable>();
        return m;
    }();
};

TEST_F(QuakeReaderTest, Md2FramesAreListedAndReadMirroredInX) {
    const std::string path = Write("model.md2", Md2File(Frames()));
    std::vector<std::string> names{"stale"};
    ASSERT_EQ(ListMd2Frames(path, names), 2);
    EXPECT_EQ(names, (std::vector<std::string>{"stand01", "run01"}));

    ASSERT_EQ(ReadMd2Frame(*mesh, path, "stand01"), 0);
    ASSERT_EQ(mesh->vertexCount, 4);
    EXPECT_EQ(mesh->vertices[0], Vector(1, 2, 3));
    EXPECT_EQ(mesh->vertices[1], Vector(-5 + 1, 2, 3));
    EXPECT_EQ(mesh->vertices[3], Vector(1, 2, 23));
    EXPECT_EQ(mesh->faceCount, 4);
    EXPECT_EQ(mesh->texVertexCount, 4);
    EXPECT_FLOAT_EQ(mesh->texVertices[3].u, 255.0f);
    EXPECT_FLOAT_EQ(mesh->texVertices[2].v, 200.0f);
    int a, b, c;
    mesh->GetTriangle(1, a, b, c);
    EXPECT_EQ((std::array<int, 3>{a, b, c}), (std::array<int, 3>{0, 3, 1})) << "winding kept";
    EXPECT_EQ(mesh->normalIndices, nullptr);
    ASSERT_EQ(mesh->groupTable->GroupCount(), 1);
    EXPECT_EQ(mesh->groupTable->GroupName(0), "mesh");
    EXPECT_EQ(mesh->groupTable->GroupSet(0)->Count(), 4);

    ASSERT_EQ(ReadMd2Frame(*mesh, path, "run01"), 0);
    EXPECT_EQ(mesh->vertices[1], Vector(-20, 1, 1));
    ASSERT_EQ(ReadMd2Frame(*mesh, path, ""), 0);
    EXPECT_EQ(mesh->vertices[0], Vector(1, 2, 3));
}

TEST_F(QuakeReaderTest, FrameNamesMatchExactlyWithCase) {
    const std::string path = Write("model.md2", Md2File(Frames()));
    EXPECT_EQ(ReadMd2Frame(*mesh, path, "Stand01"), -1);
    EXPECT_EQ(mesh->vertexCount, 0);
    EXPECT_EQ(ReadMd2Frame(*mesh, path, "stand0"), -1);
}

TEST_F(QuakeReaderTest, AModelWithoutFramesListsNoneAndReadsNone) {
    const std::string path = Write("empty.md2", Md2File({}));
    std::vector<std::string> names;
    EXPECT_EQ(ListMd2Frames(path, names), 0);
    EXPECT_TRUE(names.empty());
    EXPECT_EQ(ReadMd2Frame(*mesh, path, "stand01"), -1);
    EXPECT_EQ(ReadMd2Frame(*mesh, path, ""), -1);
}

TEST_F(QuakeReaderTest, Md2FilesWithBadCountsOffsetsOrIndicesAreRefused) {
    std::vector<std::string> names;
    EXPECT_EQ(ListMd2Frames(dir.File("missing.md2"), names), -1);
    std::vector<uint8_t> bytes = Md2File(Frames());
    const std::string shortPath = Write("short.md2", {bytes.begin(), bytes.begin() + 60});
    EXPECT_EQ(ListMd2Frames(shortPath, names), -1);
    EXPECT_EQ(ReadMd2Frame(*mesh, shortPath, ""), -1);

    std::vector<uint8_t> cut(bytes.begin(), bytes.end() - 3);
    EXPECT_EQ(ReadMd2Frame(*mesh, Write("cut.md2", cut), "run01"), -1);

    auto patched = [&](int word, int32_t value) {
        std::vector<uint8_t> copy = bytes;
        for (int i = 0; i < 4; ++i) {
            copy[word * 4 + i] = static_cast<uint8_t>(static_cast<uint32_t>(value) >> (8 * i));
        }
        return Write("patched.md2", copy);
    };
    EXPECT_EQ(ReadMd2Frame(*mesh, patched(6, 2049), ""), -1);      // vertex count
    EXPECT_EQ(ReadMd2Frame(*mesh, patched(8, 100000), ""), -1);    // triangle count
    EXPECT_EQ(ReadMd2Frame(*mesh, patched(13, -40), ""), -1);      // triangle offset
    EXPECT_EQ(ReadMd2Frame(*mesh, patched(14, 1 << 30), ""), -1);  // frame offset
    EXPECT_EQ(ListMd2Frames(patched(4, 12), names), -1);           // frame size
    EXPECT_EQ(ReadMd2Frame(*mesh, patched(7, 2), ""), -1);         // st count below indices

    std::vector<TriangleRecord> badIndex = TRIANGLES;
    badIndex[2].vertexIndex[1] = 4;
    EXPECT_EQ(ReadMd2Frame(*mesh, Write("index.md2", Md2File(Frames(), badIndex)), ""), -1);
    badIndex = TRIANGLES;
    badIndex[0].stIndex[0] = -1;
    EXPECT_EQ(ReadMd2Frame(*mesh, Write("st.md2", Md2File(Frames(), badIndex)), ""), -1);
    EXPECT_EQ(mesh->faceCount, 0);
}

TEST_F(QuakeReaderTest, FlexModelFramesReadTheSameWhateverTheChunkOrder) {
    const std::vector<uint8_t> file = BuildFlexModel(FmContent(Frames()));
    const std::string path = Write("tris.fm", file);
    std::vector<std::string> names;
    ASSERT_EQ(ListFmFrames(path, names), 2);
    EXPECT_EQ(names[1], "run01");
    ASSERT_EQ(ReadFmFrame(*mesh, path, "run01"), 0);
    EXPECT_EQ(mesh->vertices[1], Vector(-20, 1, 1));
    EXPECT_EQ(mesh->groupTable->GroupName(0), "mesh");

    // The header first, then the chunks in reverse order.
    const FlexModelContent content = FmContent(Frames());
    ByteWriter data;
    for (const StCoord& st : content.stCoords) {
        AppendStCoord(data, st);
    }
    ByteWriter tris;
    for (const TriangleRecord& t : content.triangles) {
        AppendTriangleRecord(tris, t);
    }
    ByteWriter frames;
    for (const TestFrame& f : Frames()) {
        FrameHeader header;
        header.scale = f.scale;
        header.translate = f.translate;
        SetFixedName(header.name, f.name);
        AppendFrameHeader(frames, header);
        for (const PackedVertex& v : f.vertices) {
            AppendPackedVertex(frames, v);
        }
    }
    ByteWriter header;
    AppendFlexHeader(header, HeaderFor(content));
    ByteWriter out;
    for (auto [kind, bytes] : {std::pair{HEADER_CHUNK, &header}, std::pair{FRAMES_CHUNK, &frames},
                               std::pair{TRIS_CHUNK, &tris}, std::pair{ST_COORD_CHUNK, &data}}) {
        AppendChunkHeader(out, kind.ident, kind.version, static_cast<int32_t>(bytes->Size()));
        out.AppendBytes(bytes->Bytes());
    }
    const std::string reordered = Write("reordered.fm", out.Take());
    auto other = std::make_unique<MeshData>();
    ASSERT_EQ(ReadFmFrame(*other, reordered, "run01"), 0);
    EXPECT_EQ(other->vertexCount, mesh->vertexCount);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(other->vertices[i], mesh->vertices[i]);
        EXPECT_EQ(other->texVertices[i].u, mesh->texVertices[i].u);
    }
}

TEST_F(QuakeReaderTest, FlexModelsNeedTheHeaderFirstAndTheirChunks) {
    std::vector<uint8_t> file = BuildFlexModel(FmContent(Frames()));
    std::vector<uint8_t> renamed = file;
    renamed[0] = 'H';
    std::vector<std::string> names;
    EXPECT_EQ(ListFmFrames(Write("renamed.fm", renamed), names), -1);
    EXPECT_EQ(ReadFmFrame(*mesh, Write("renamed.fm", renamed), ""), -1);

    ByteWriter withoutTris;
    ByteWriter header;
    AppendFlexHeader(header, HeaderFor(FmContent(Frames())));
    AppendChunkHeader(withoutTris, "header", 2, 40);
    withoutTris.AppendBytes(header.Bytes());
    EXPECT_EQ(ReadFmFrame(*mesh, Write("notris.fm", withoutTris.Take()), ""), -1);
    EXPECT_EQ(mesh->vertexCount, 0);
}

// Any leading part of a valid file is refused cleanly.
TEST_F(QuakeReaderTest, TruncatedFilesNeverLoad) {
    const std::vector<uint8_t> md2 = Md2File(Frames());
    const std::vector<uint8_t> fm = BuildFlexModel(FmContent(Frames()));
    for (std::size_t cut = 0; cut + 1 < md2.size(); cut += 5) {
        EXPECT_EQ(ReadMd2Frame(*mesh, Write("c.md2", {md2.begin(), md2.begin() + cut}), "run01"),
                  -1);
    }
    const std::size_t framesEnd =
        FindChunk(fm, "frames")->dataOffset + FindChunk(fm, "frames")->dataSize;
    for (std::size_t cut = 0; cut < framesEnd; cut += 9) {
        EXPECT_EQ(ReadFmFrame(*mesh, Write("c.fm", {fm.begin(), fm.begin() + cut}), "run01"), -1);
    }
}

}  // namespace
