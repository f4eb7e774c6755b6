#include <gtest/gtest.h>

#include <memory>

#include "editor/io/mesh_readers.h"
#include "editor/io/parser_3ds.h"
#include "editor/model/mesh_data.h"
#include "editor/model/triangle_group_table.h"
#include "io_test_support.h"

using namespace ::editor::model;
using namespace ::editor::io;

namespace {

using Points = std::vector<std::array<float, 3>>;
using Faces = std::vector<std::array<uint16_t, 3>>;

std::vector<uint8_t> PointList(const Points& points) {
    Bytes body;
    body.U16(static_cast<uint16_t>(points.size()));
    for (const auto& p : points) {
        body.F32(p[0]).F32(p[1]).F32(p[2]);
    }
    return Chunk3ds(0x4110, body.Get());
}

std::vector<uint8_t> FaceList(const Faces& faces) {
    Bytes body;
    body.U16(static_cast<uint16_t>(faces.size()));
    for (const auto& f : faces) {
        body.U16(f[0]).U16(f[1]).U16(f[2]).U16(7);
    }
    // Smoothing groups follow the face data inside the face list.
    body.Append(Chunk3ds(0x4150, std::vector<uint8_t>(faces.size() * 4, 0)));
    return Chunk3ds(0x4120, body.Get());
}

std::vector<uint8_t> TexVertices(std::size_t count, float scale) {
    Bytes body;
    body.U16(static_cast<uint16_t>(count));
    for (std::size_t i = 0; i < count; ++i) {
        body.F32(static_cast<float>(i) * scale).F32(0.5f);
    }
    return Chunk3ds(0x4140, body.Get());
}

std::vector<uint8_t> Object(const std::string& name, const std::vector<uint8_t>& meshChunks) {
    Bytes body;
    body.Text(name, true).Append(Chunk3ds(0x4600, {1, 2, 3})).Append(Chunk3ds(0x4100, meshChunks));
    return Chunk3ds(0x4000, body.Get());
}

std::vector<uint8_t> File3ds(const std::vector<std::vector<uint8_t>>& objects) {
    Bytes editor;
    editor.Append(Chunk3ds(0xAFFF, {9, 9, 9, 9}));  // a material, skipped
    for (const auto& o : objects) {
        editor.Append(o);
    }
    Bytes main;
    main.Append(Chunk3ds(0x0002, {3, 0, 0, 0}))
        .Append(Chunk3ds(0x3D3D, editor.Get()))
        .Append(Chunk3ds(0xB000, {1, 2, 3, 4}));
    return Chunk3ds(0x4D4D, main.Get());
}

const Points CUBE_POINTS = {{-1, -1, -1}, {1, -1, -1}, {1, 1, -1}, {-1, 1, -1},
                            {-1, -1, 1},  {1, -1, 1},  {1, 1, 1},  {-1, 1, 1}};
const Faces CUBE_FACES = {{0, 2, 1}, {0, 3, 2}, {4, 5, 6}, {4, 6, 7}, {0, 1, 5}, {0, 5, 4},
                          {1, 2, 6}, {1, 6, 5}, {2, 3, 7}, {2, 7, 6}, {3, 0, 4}, {3, 4, 7}};

std::vector<uint8_t> Concat(std::initializer_list<std::vector<uint8_t>> parts) {
    Bytes all;
    for (const auto& p : parts) {
        all.Append(p);
    }
    return all.Get();
}

class Read3dsTest : public ::testing::Test {
  protected:
    int Read(const std::vector<uint8_t>& bytes) {
        const std::string path = dir.File("mesh.3ds");
        WriteBytes(path, bytes);
        return Read3ds(*mesh, path);
    }
    TempDir dir;
    std::unique_ptr<MeshData> mesh = [] {
        auto m = std::make_unique<MeshData>();
        m->groupTable = std::make_unique<TriangleGroupTable>();
        return m;
    }();
};

TEST_F(Read3dsTest, OneObjectWithTextureVerticesAfterItsFaces) {
    ASSERT_EQ(Read(File3ds({Object("cube", Concat({PointList(CUBE_POINTS), FaceList(CUBE_FACES),
                                                   TexVertices(8, 0.1f)}))})),
              0);
    EXPECT_EQ(mesh->vertexCount, 8);
    EXPECT_EQ(mesh->faceCount, 12);
    EXPECT_EQ(mesh->texVertexCount, 8);
    for (int t = 0; t < 12; ++t) {
        int a, b, c, ta, tb, tc;
        mesh->GetTriangle(t, a, b, c);
        mesh->GetTexTriangle(t, ta, tb, tc);
        EXPECT_EQ((std::array<int, 3>{a, b, c}), (std::array<int, 3>{ta, tb, tc}));
    }
    // u up to 0.7 and v 0.5: both scaled to texels.
    EXPECT_FLOAT_EQ(mesh->texVertices[7].u, 179.0f);
    EXPECT_FLOAT_EQ(mesh->texVertices[7].v, 128.0f);
    ASSERT_EQ(mesh->groupTable->GroupCount(), 1);
    EXPECT_EQ(mesh->groupTable->GroupName(0), "cube");
    EXPECT_EQ(mesh->groupTable->GroupSet(0)->Count(), 12);
}

TEST_F(Read3dsTest, TheClosedCubeEndsWoundOutwards) {
    Faces inverted = CUBE_FACES;
    for (std::size_t i = 0; i < inverted.size(); i += 2) {
        std::swap(inverted[i][0], inverted[i][2]);
    }
    ASSERT_EQ(Read(File3ds({Object("cube", Concat({PointList(CUBE_POINTS), FaceList(inverted)}))})),
              0);
    for (int t = 0; t < 12; ++t) {
        int a, b, c;
        mesh->GetTriangle(t, a, b, c);
        const Vector normal = Vector::Cross(Vector::Subtract(mesh->vertices[b], mesh->vertices[a]),
                                            Vector::Subtract(mesh->vertices[c], mesh->vertices[a]));
        const Vector centre =
            Vector::Add(Vector::Add(mesh->vertices[a], mesh->vertices[b]), mesh->vertices[c]);
        EXPECT_GT(normal.Dot(centre), 0.0) << "triangle " << t;
    }
}

TEST_F(Read3dsTest, SeveralObjectsComeInWholeAndInPlace) {
    Points moved = CUBE_POINTS;
    for (auto& p : moved) {
        p[0] += 10;
    }
    ASSERT_EQ(Read(File3ds({Object("left", Concat({PointList(CUBE_POINTS), FaceList(CUBE_FACES),
                                                   TexVertices(8, 0.1f)})),
                            // Texture vertices before the faces this time.
                            Object("right", Concat({TexVertices(8, 0.05f), PointList(moved),
                                                    FaceList(CUBE_FACES)}))})),
              0);
    ASSERT_EQ(mesh->vertexCount, 16);
    ASSERT_EQ(mesh->faceCount, 24);
    EXPECT_EQ(mesh->texVertexCount, 16);
    for (int t = 12; t < 24; ++t) {
        int a, b, c, ta, tb, tc;
        mesh->GetTriangle(t, a, b, c);
        mesh->GetTexTriangle(t, ta, tb, tc);
        EXPECT_GE(std::min({a, b, c}), 8) << "the right box uses its own points";
        EXPECT_EQ((std::array<int, 3>{a, b, c}), (std::array<int, 3>{ta, tb, tc}));
    }
    EXPECT_FLOAT_EQ(mesh->texVertices[9].u, 13.0f);  // 0.05 * 256 rounded
    ASSERT_EQ(mesh->groupTable->GroupCount(), 2);
    EXPECT_TRUE(mesh->groupTable->GroupSet(1)->Test(12));
    EXPECT_FALSE(mesh->groupTable->GroupSet(1)->Test(11));
}

TEST_F(Read3dsTest, ObjectNamesAreCutAtElevenAndEmptyNamesGetOne) {
    ASSERT_EQ(
        Read(File3ds({Object("tenletters", Concat({PointList(CUBE_POINTS), FaceList(CUBE_FACES)})),
                      Object("averyveryverylongname",
                             Concat({PointList(CUBE_POINTS), FaceList(CUBE_FACES)})),
                      Object("", Concat({PointList(CUBE_POINTS), FaceList(CUBE_FACES)}))})),
        0);
    ASSERT_EQ(mesh->groupTable->GroupCount(), 3);
    EXPECT_EQ(mesh->groupTable->GroupName(0), "tenletters");
    EXPECT_EQ(mesh->groupTable->GroupName(1), "averyveryve");
    EXPECT_EQ(mesh->groupTable->GroupName(2), "Default name");
    EXPECT_EQ(mesh->texVertexCount, 3) << "no texture vertices in the file: the defaults";
}

TEST_F(Read3dsTest, OverflowsAndFilesWithoutGeometryFailWithAllCountsZero) {
    Points many(2049, {0, 0, 0});
    EXPECT_EQ(Read(File3ds({Object("big", Concat({PointList(many), FaceList(CUBE_FACES)}))})), -1);
    EXPECT_EQ(mesh->vertexCount, 0);
    EXPECT_EQ(mesh->faceCount, 0);
    EXPECT_EQ(mesh->texVertexCount, 0);

    Points half(1100, {0, 0, 0});
    EXPECT_EQ(Read(File3ds({Object("a", Concat({PointList(half), FaceList(CUBE_FACES)})),
                            Object("b", Concat({PointList(half), FaceList(CUBE_FACES)}))})),
              -1);
    EXPECT_EQ(Read(File3ds({Object("t", Concat({PointList(CUBE_POINTS), FaceList(CUBE_FACES),
                                                TexVertices(2049, 0.0f)}))})),
              -1);
    // Lights and cameras only.
    EXPECT_EQ(Read(File3ds({Chunk3ds(0x4000, Concat({{'l', 0}, Chunk3ds(0x4600, {0, 0, 0})}))})),
              -1);
    EXPECT_EQ(Read({'M', 'M', 1, 2, 3}), -1);
    EXPECT_EQ(Read({}), -1);
}

TEST_F(Read3dsTest, CountsAndIndicesTheFileDoesNotHoldAreRefused) {
    Faces bad = CUBE_FACES;
    bad[3][1] = 8;
    EXPECT_EQ(Read(File3ds({Object("x", Concat({PointList(CUBE_POINTS), FaceList(bad)}))})), -1);
    // A point list claiming more points than its chunk holds.
    std::vector<uint8_t> points = PointList(CUBE_POINTS);
    points[6] = 9;
    EXPECT_EQ(Read(File3ds({Object("x", Concat({points, FaceList(CUBE_FACES)}))})), -1);
    EXPECT_EQ(mesh->vertexCount, 0);
}

TEST(Parse3ds, ChunkLengthsThatLieEndTheWalkWithoutReadingPastTheFile) {
    std::vector<uint8_t> file =
        File3ds({Object("x", Concat({PointList(CUBE_POINTS), FaceList(CUBE_FACES)}))});
    for (std::size_t cut = 0; cut < file.size(); cut += 7) {
        std::vector<uint8_t> shorter(file.begin(), file.begin() + static_cast<long>(cut));
        RawMesh raw;
        EXPECT_FALSE(Parse3ds(shorter, raw)) << cut;
    }
    std::vector<uint8_t> lying = file;
    lying[2] = 0xFF, lying[3] = 0xFF, lying[4] = 0xFF, lying[5] = 0x7F;
    RawMesh raw;
    EXPECT_FALSE(Parse3ds(lying, raw));
}

// Written by assimp's 3DS exporter (see data/README.md).
TEST(Read3dsRealFile, TwoBoxesFromAssimpLoadWhole) {
    auto mesh = std::make_unique<MeshData>();
    mesh->groupTable = std::make_unique<TriangleGroupTable>();
    ASSERT_EQ(Read3ds(*mesh, DataFile("twoboxes.3ds")), 0);
    EXPECT_EQ(mesh->faceCount, 24);
    EXPECT_EQ(mesh->usedVertices.Count(), mesh->vertexCount);
    EXPECT_EQ(mesh->groupTable->GroupCount(), 2);
    float smallestX = 1e9f, largestX = -1e9f;
    for (int i = 0; i < mesh->vertexCount; ++i) {
        smallestX = std::min(smallestX, mesh->vertices[i].x);
        largestX = std::max(largestX, mesh->vertices[i].x);
    }
    EXPECT_FLOAT_EQ(largestX - smallestX, 14.0f);
}

}  // namespace
