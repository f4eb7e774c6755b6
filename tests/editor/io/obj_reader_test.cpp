#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "editor/io/mesh_readers.h"
#include "editor/io/obj_parser.h"
#include "editor/model/mesh_data.h"
#include "editor/model/triangle_group_table.h"
#include "io_test_support.h"

using namespace ::editor::model;
using namespace ::editor::io;

namespace {

std::unique_ptr<MeshData> MeshWithGroups() {
    auto mesh = std::make_unique<MeshData>();
    mesh->groupTable = std::make_unique<TriangleGroupTable>();
    return mesh;
}

class ObjReaderTest : public ::testing::Test {
  protected:
    int Read(const std::string& text) {
        const std::string path = dir.File("mesh.obj");
        WriteText(path, text);
        return ReadObj(*mesh, path);
    }
    std::array<int, 3> Corners(int t) {
        std::array<int, 3> c{};
        mesh->GetTriangle(t, c[0], c[1], c[2]);
        return c;
    }
    std::array<int, 3> TexCorners(int t) {
        std::array<int, 3> c{};
        mesh->GetTexTriangle(t, c[0], c[1], c[2]);
        return c;
    }
    std::string Triangle(int count) {
        std::string text;
        for (int i = 0; i < count; ++i) {
            text += "v " + std::to_string(i) + " 0 0\n";
        }
        return text;
    }

    TempDir dir;
    std::unique_ptr<MeshData> mesh = MeshWithGroups();
};

const char* const FLAT_QUAD =
    "v 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\n"
    "vt 0.5 0.25\nvt 0 0\nvt 1 1\n";

RawMesh Parse(const std::string& text) {
    RawMesh raw;
    EXPECT_TRUE(ParseObj({reinterpret_cast<const uint8_t*>(text.data()), text.size()}, raw));
    return raw;
}

TEST(ObjParser, FaceCornersUseOnlyTheFirstThreeAndTheTextureAfterTheFirstSlash) {
    const RawMesh raw =
        Parse(std::string(FLAT_QUAD) + "f 1 2 3 4\nf 1/1 2/2 3/3\nf 4/3/1 3//2 2\n");
    ASSERT_EQ(raw.triangles.size(), 3u);
    EXPECT_EQ(raw.triangles[0].corners, (std::array<int32_t, 3>{0, 1, 2}));
    EXPECT_EQ(raw.triangles[0].texCorners, (std::array<int32_t, 3>{0, 0, 0}));
    EXPECT_EQ(raw.triangles[1].texCorners, (std::array<int32_t, 3>{0, 1, 2}));
    // "3//2" names no texture vertex and reads like a corner without slashes.
    EXPECT_EQ(raw.triangles[2].corners, (std::array<int32_t, 3>{3, 2, 1}));
    EXPECT_EQ(raw.triangles[2].texCorners, (std::array<int32_t, 3>{2, 0, 0}));
}

TEST_F(ObjReaderTest, TheFaceListsEndWithTheirZeroWord) {
    ASSERT_EQ(Read(std::string(FLAT_QUAD) + "f 1/1 2/2 3/3\nf 1/1 3/2 4/3\n"), 0);
    ASSERT_EQ(mesh->faceCount, 2);
    EXPECT_EQ(mesh->faces[2 * 4], 0);
    EXPECT_EQ(mesh->texFaces[2 * 4], 0);
}

TEST_F(ObjReaderTest, TextureVerticesInFractionsBecomeWholeTexels) {
    ASSERT_EQ(Read(std::string(FLAT_QUAD) + "vt 0.999 0.001\nf 1/1 2/2 3/4\n"), 0);
    EXPECT_FLOAT_EQ(mesh->texVertices[0].u, 128.0f);
    EXPECT_FLOAT_EQ(mesh->texVertices[0].v, 64.0f);
    EXPECT_FLOAT_EQ(mesh->texVertices[3].u, 256.0f);
    EXPECT_FLOAT_EQ(mesh->texVertices[3].v, 0.0f);

    ASSERT_EQ(Read("v 0 0 0\nv 1 0 0\nv 0 1 0\nvt 12 40\nvt 100 3\nf 1/1 2/2 3/1\n"), 0);
    EXPECT_FLOAT_EQ(mesh->texVertices[0].u, 12.0f);
    EXPECT_FLOAT_EQ(mesh->texVertices[0].v, 40.0f);
}

TEST_F(ObjReaderTest, WithoutTextureVerticesEveryTriangleGetsTheDefaults) {
    ASSERT_EQ(Read("v 0 0 0\nv 1 0 0\nv 0 1 0\nv 0 0 1\nf 1 2 3\nf 1 3 4\n"), 0);
    ASSERT_EQ(mesh->texVertexCount, 3);
    EXPECT_FLOAT_EQ(mesh->texVertices[1].v, 10.0f);
    EXPECT_FLOAT_EQ(mesh->texVertices[2].u, 5.0f);
    // The winding pass may have turned the triangle; its texture corners turn with it.
    auto corners = TexCorners(1);
    std::sort(corners.begin(), corners.end());
    EXPECT_EQ(corners, (std::array<int, 3>{0, 1, 2}));
}

TEST_F(ObjReaderTest, FacesGoToTheCurrentGroupsAndToDefaultWithoutAny) {
    ASSERT_EQ(Read(std::string(FLAT_QUAD) + "f 1 2 3\ng a b\nf 1 3 4\ng b\nf 2 3 4\n"), 0);
    const TriangleGroupTable& table = *mesh->groupTable;
    ASSERT_EQ(table.GroupCount(), 3);
    EXPECT_EQ(table.GroupName(0), "default");
    EXPECT_TRUE(table.GroupSet(0)->Test(0));
    EXPECT_EQ(table.GroupSet(0)->Count(), 1);
    EXPECT_EQ(table.GroupName(1), "a");
    EXPECT_EQ(table.GroupSet(1)->Count(), 1);
    EXPECT_TRUE(table.GroupSet(1)->Test(1));
    EXPECT_EQ(table.GroupName(2), "b");
    EXPECT_EQ(table.GroupSet(2)->Count(), 2);
}

TEST_F(ObjReaderTest, GroupNamesAtTheEndOfALineKeepNoLineEnd) {
    ASSERT_EQ(Read(std::string(FLAT_QUAD) + "g left\r\nf 1 2 3\r\ng left right\nf 1 3 4\n"), 0);
    const TriangleGroupTable& table = *mesh->groupTable;
    ASSERT_EQ(table.GroupCount(), 2);
    EXPECT_EQ(table.GroupName(0), "left");
    EXPECT_EQ(table.GroupName(1), "right");
    EXPECT_EQ(table.GroupSet(0)->Count(), 2);
}

TEST_F(ObjReaderTest, WithoutAGroupTableFacesStillLoad) {
    mesh->groupTable.reset();
    ASSERT_EQ(Read(std::string(FLAT_QUAD) + "g a\nf 1 2 3\n"), 0);
    EXPECT_EQ(mesh->faceCount, 1);
}

TEST_F(ObjReaderTest, CommentsBlankLinesAndOtherStatementsAreSkipped) {
    ASSERT_EQ(Read("# c\n\n  \no thing\nusemtl x\ns 1\nv 1.5 -2 3e1\nv 0 0 0\nv 0 1 0\n"
                   "mtllib a.mtl\nf 1 2 3\n"),
              0);
    EXPECT_EQ(mesh->vertexCount, 3);
    EXPECT_FLOAT_EQ(mesh->vertices[0].x, 1.5f);
    EXPECT_FLOAT_EQ(mesh->vertices[0].z, 30.0f);
}

TEST_F(ObjReaderTest, ALongLineGoesOnAsTheNextLine) {
    // 255 characters of comment, then "v 7 8 9" continues as a line of its own.
    std::string text = "#" + std::string(254, 'x') + "v 7 8 9\nv 0 0 0\nv 1 0 0\nf 1 2 3\n";
    ASSERT_EQ(Read(text), 0);
    EXPECT_EQ(mesh->vertexCount, 3);
    EXPECT_FLOAT_EQ(mesh->vertices[0].y, 8.0f);
}

TEST_F(ObjReaderTest, NormalsOrientTheTrianglesWhenThereIsOnePerVertex) {
    // Normals point down (-z); the triangle is wound to face up, so it is turned round.
    ASSERT_EQ(Read("v 0 0 0\nv 1 0 0\nv 0 1 0\nvn 0 0 -1\nvn 0 0 -1\nvn 0 0 -1\nf 1 2 3\n"), 0);
    EXPECT_EQ(Corners(0), (std::array<int, 3>{2, 1, 0}));
    EXPECT_EQ(mesh->vertexCount, 3);
    EXPECT_EQ(mesh->normalIndices, nullptr);
}

TEST_F(ObjReaderTest, FewerNormalsThanVerticesLoseNoVertices) {
    ASSERT_EQ(Read("v 0 0 0\nv 1 0 0\nv 0 1 0\nv 0 0 1\nvn 0 0 -1\nf 1 2 4\nf 1 3 4\n"), 0);
    EXPECT_EQ(mesh->vertexCount, 4);
    EXPECT_EQ(mesh->faceCount, 2);
}

TEST_F(ObjReaderTest, FilesBeyondTheCapacitiesOrWithMissingElementsAreRefusedAndClearTheTarget) {
    std::string many;
    for (int i = 0; i < 2049; ++i) {
        many += "v 0 0 0\n";
    }
    EXPECT_EQ(Read(many + "f 1 2 3\n"), -1);
    EXPECT_EQ(mesh->vertexCount, 0);

    std::string faces = "v 0 0 0\nv 1 0 0\nv 0 1 0\n";
    for (int i = 0; i < 2049; ++i) {
        faces += "f 1 2 3\n";
    }
    EXPECT_EQ(Read(faces), -1);
    EXPECT_EQ(mesh->faceCount, 0);

    std::string groups = "v 0 0 0\nv 1 0 0\nv 0 1 0\n";
    for (int i = 0; i < 129; ++i) {
        groups += "g g" + std::to_string(i) + "\nf 1 2 3\n";
    }
    EXPECT_EQ(Read(groups), -1);
    EXPECT_EQ(mesh->groupTable->GroupCount(), 0);

    EXPECT_EQ(Read("v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 4\n"), -1);
    EXPECT_EQ(Read("v 0 0 0\nv 1 0 0\nv 0 1 0\nvt 0 0\nf 1/1 2/1 3/2\n"), -1);
    EXPECT_EQ(Read("v 0 0 0\nv 1 0 0\nv 0 1 0\nf -1 -2 -3\n"), -1);
    EXPECT_EQ(Read("v 0 0 0\nv 1 0 0\nv 0 1 0\nf -2147483648/-99999999999 2 3\n"), -1);
    EXPECT_EQ(Read("v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 99999999999\n"), -1);
    EXPECT_EQ(mesh->vertexCount, 0);
    EXPECT_EQ(mesh->faceCount, 0);
}

TEST_F(ObjReaderTest, AFileThatCannotBeOpenedFails) {
    EXPECT_EQ(ReadObj(*mesh, dir.File("missing.obj")), -1);
}

TEST(ObjParser, UnparsableNumbersReadAsZero) {
    const std::string text = "v abc nan 2\nv inf 1 -inf\n";
    RawMesh raw;
    ASSERT_TRUE(ParseObj({reinterpret_cast<const uint8_t*>(text.data()), text.size()}, raw));
    ASSERT_EQ(raw.vertices.size(), 2u);
    EXPECT_EQ(raw.vertices[0], (std::array<float, 3>{0, 0, 2}));
    EXPECT_EQ(raw.vertices[1], (std::array<float, 3>{0, 1, 0}));
}

// Written by assimp's OBJ exporter (see data/README.md): two boxes in groups of their own,
// corners written as v/vt/vn, fewer normals than vertices.
TEST(ObjReaderRealFile, TwoBoxesFromAssimpLoadWholeWithTheirGroups) {
    auto mesh = MeshWithGroups();
    ASSERT_EQ(ReadObj(*mesh, DataFile("twoboxes.obj")), 0);
    EXPECT_EQ(mesh->vertexCount, 16);
    EXPECT_EQ(mesh->faceCount, 24);
    EXPECT_EQ(mesh->texVertexCount, 6);
    ASSERT_EQ(mesh->groupTable->GroupCount(), 2);
    EXPECT_EQ(mesh->groupTable->GroupName(0), "boxleft");
    EXPECT_EQ(mesh->groupTable->GroupName(1), "boxright");
    EXPECT_EQ(mesh->groupTable->GroupSet(1)->Count(), 12);
    EXPECT_EQ(mesh->usedVertices.Count(), 16);
    EXPECT_FLOAT_EQ(mesh->texVertices[4].u, 256.0f);
}

}  // namespace
