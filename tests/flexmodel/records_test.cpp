#include <gtest/gtest.h>

#include <cmath>

#include "flexmodel/packed_space.h"
#include "flexmodel/record_io.h"
#include "flexmodel/records.h"
#include "flexmodel/vertex_normals.h"

using namespace ::flexmodel;

TEST(Records, SizesMatchTheFileLayout) {
    EXPECT_EQ(MESH_NODE_RECORD_SIZE, 516u);
    EXPECT_EQ(SKELETON_FRAME_FLOATS * 4, 108u);
    EXPECT_EQ(REFERENCE_FRAME_FLOATS * 4, 252u);
    ByteWriter out;
    AppendChunkHeader(out, "header", 2, 40);
    AppendFlexHeader(out, FlexHeader{});
    AppendFrameHeader(out, FrameHeader{});
    AppendMeshNodeRecord(out, MeshNodeRecord{});
    AppendTriangleRecord(out, TriangleRecord{});
    AppendStCoord(out, StCoord{});
    AppendPackedVertex(out, PackedVertex{});
    EXPECT_EQ(out.Size(), 40u + 40 + 40 + 516 + 12 + 4 + 4);
}

TEST(Records, RoundTripThroughTheirByteForm) {
    FlexHeader header{256, 256, 72, 2, 8, 4, 12, 136, 3, 16};
    FrameHeader frame;
    frame.scale = {0.5f, 0.25f, 2.0f};
    frame.translate = {-1.0f, 3.0f, 7.5f};
    SetFixedName(frame.name, "run123456789012");  // 15 characters fill the field
    MeshNodeRecord node;
    SetMaskBit(node.triangleMask, 2047);
    SetMaskBit(node.vertexMask, 9);
    node.glStart = 300;
    node.glCount = -2;
    TriangleRecord triangle{{1, 2, 2047}, {0, -1, 5}};

    ByteWriter out;
    AppendFlexHeader(out, header);
    AppendFrameHeader(out, frame);
    AppendMeshNodeRecord(out, node);
    AppendTriangleRecord(out, triangle);
    ByteReader in(out.Bytes());

    auto header2 = ReadFlexHeader(in, 0);
    ASSERT_TRUE(header2);
    EXPECT_EQ(header2->frameSize, 72);
    EXPECT_EQ(header2->numGlCmds, 136);
    EXPECT_EQ(header2->numMeshNodes, 16);
    auto frame2 = ReadFrameHeader(in, 40);
    ASSERT_TRUE(frame2);
    EXPECT_EQ(frame2->Name(), "run123456789012");
    EXPECT_EQ(frame2->name[15], '\0');
    EXPECT_EQ(frame2->translate[2], 7.5f);
    auto node2 = ReadMeshNodeRecord(in, 80);
    ASSERT_TRUE(node2);
    EXPECT_TRUE(MaskBit(node2->triangleMask, 2047));
    EXPECT_FALSE(MaskBit(node2->triangleMask, 2046));
    EXPECT_TRUE(MaskBit(node2->vertexMask, 9));
    EXPECT_EQ(out.Bytes()[80 + 256 + 1], 0x02);  // bit 9: byte 1, second bit
    EXPECT_EQ(node2->glStart, 300);
    EXPECT_EQ(node2->glCount, -2);
    auto triangle2 = ReadTriangleRecord(in, 80 + 516);
    ASSERT_TRUE(triangle2);
    EXPECT_EQ(triangle2->vertexIndex[2], 2047);
    EXPECT_EQ(triangle2->stIndex[1], -1);
    EXPECT_FALSE(ReadTriangleRecord(in, 80 + 517));
}

TEST(Records, ChunkIdentStopsAtItsNulOrTheField) {
    ByteWriter out;
    AppendChunkHeader(out, "mesh nodes", 3, 8256);
    auto header = ReadChunkHeader(ByteReader(out.Bytes()), 0);
    ASSERT_TRUE(header);
    EXPECT_EQ(header->Ident(), "mesh nodes");
    EXPECT_EQ(header->version, 3);
    EXPECT_EQ(header->size, 8256);
    ChunkHeader full;
    full.ident.fill('a');
    EXPECT_EQ(full.Ident().size(), 32u);
}

TEST(Records, MaskBitsOutsideTheMaskAreIgnored) {
    std::array<uint8_t, MASK_BYTES> mask{};
    SetMaskBit(mask, -1);
    SetMaskBit(mask, 2048);
    EXPECT_EQ(mask, (std::array<uint8_t, MASK_BYTES>{}));
    EXPECT_FALSE(MaskBit(mask, 5000));
}

TEST(VertexNormals, HoldThe162PublishedUnitVectors) {
    EXPECT_FLOAT_EQ(VERTEX_NORMALS[0][0], -0.525731f);
    EXPECT_FLOAT_EQ(VERTEX_NORMALS[1][1], 0.238856f);
    EXPECT_FLOAT_EQ(VERTEX_NORMALS[2][2], 0.955423f);
    for (const auto& n : VERTEX_NORMALS) {
        EXPECT_NEAR(std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]), 1.0, 1e-5);
    }
}

TEST(PackedSpace, DecodesBytesAndKeepsTheHalfUnitBiasOfStoredPoints) {
    PackedSpace space{{0.5f, 2.0f, 0.25f}, {-10.0f, 4.0f, 1.0f}};
    FlexPoint vertex = space.DecodeVertex(PackedVertex{255, 0, 8, 7});
    EXPECT_FLOAT_EQ(vertex[0], 117.5f);
    EXPECT_FLOAT_EQ(vertex[1], 4.0f);
    EXPECT_FLOAT_EQ(vertex[2], 3.0f);
    FlexPoint world{3.0f, -6.0f, 2.0f};
    FlexPoint stored = space.EncodePoint(world);
    EXPECT_FLOAT_EQ(stored[0], 26.5f);
    FlexPoint back = space.DecodePoint(stored);
    for (int axis = 0; axis < 3; ++axis) {
        EXPECT_FLOAT_EQ(back[axis], world[axis] + 0.5f * space.scale[axis]);
    }
    PackedSpace flat{{0.0f, 1.0f, 1.0f}, {}};
    EXPECT_FLOAT_EQ(flat.EncodePoint(world)[0], 0.5f);
}
