#include <gtest/gtest.h>

#include "editor/model/triangle_group_table.h"
#include "editor/props/mesh_append.h"
#include "tests/editor/props/texture_mesh.h"

using namespace ::editor::model;
using namespace ::editor::props;

namespace {

std::unique_ptr<MeshData> MeshWithGroups() {
    auto mesh = std::make_unique<MeshData>();
    mesh->groupTable = std::make_unique<TriangleGroupTable>();
    return mesh;
}

TEST(AppendMesh, RaisesIndicesAndKeepsBothListsTerminated) {
    auto target = MeshWithRect(0, 0, 100, 100);
    auto other = MeshWithRect(120, 0, 200, 50);
    ASSERT_EQ(AppendMesh(*target, *other), 1);
    EXPECT_EQ(target->faceCount, 4);
    EXPECT_EQ(target->vertexCount, 12);
    EXPECT_EQ(target->texVertexCount, 12);
    int a, b, c;
    target->GetTriangle(2, a, b, c);
    EXPECT_EQ(a, 6);
    EXPECT_EQ(c, 8);
    target->GetTexTriangle(3, a, b, c);
    EXPECT_EQ(a, 9);
    EXPECT_EQ(target->faces[4 * FACE_RECORD_WORDS], 0);
    EXPECT_EQ(target->texFaces[4 * FACE_RECORD_WORDS], 0);
    EXPECT_EQ(target->texVertices[6].u, 120.0f);
    EXPECT_TRUE(target->usedVertices.Test(11));
}

TEST(AppendMesh, RefusesWhenAnySumPassesTheCapacity) {
    auto target = std::make_unique<MeshData>();
    for (int i = 0; i < MAX_MESH_ELEMENTS - 2; ++i) {
        target->AddVertex(Vector(i, 0, 0));
    }
    target->texVertexCount = 1;
    target->AddTriangle(0, 1, 2, 0, 0, 0);
    auto other = MeshWithRect(0, 0, 10, 10);  // 6 vertices
    EXPECT_EQ(AppendMesh(*target, *other), 0);
    EXPECT_EQ(target->vertexCount, MAX_MESH_ELEMENTS - 2);
    EXPECT_EQ(target->faceCount, 1);

    auto small = MeshWithRect(0, 0, 10, 10);
    auto manyTex = MeshWithRect(0, 0, 10, 10);
    manyTex->texVertexCount = MAX_MESH_ELEMENTS - 5;
    EXPECT_EQ(AppendMesh(*small, *manyTex), 0);
    EXPECT_EQ(small->texVertexCount, 6);
}

TEST(AppendMesh, CarriesGroupsOverBehindTheOldTriangles) {
    auto target = MeshWithGroups();
    AddTexturedRect(*target, 0, 0, 10, 10);
    TriangleSet body;
    body.SetRange(0, 2);
    target->groupTable->SaveGroup("body", &body);
    auto other = MeshWithGroups();
    AddTexturedRect(*other, 0, 0, 10, 10);
    TriangleSet blade;
    blade.SetBit(1);
    other->groupTable->SaveGroup("body", &blade);

    ASSERT_EQ(AppendMesh(*target, *other), 1);
    ASSERT_EQ(target->groupTable->GroupCount(), 2);
    EXPECT_EQ(target->groupTable->GroupName(1), "xbody");
    const TriangleSet* moved = target->groupTable->GroupSet(1);
    EXPECT_TRUE(moved->Test(3));
    EXPECT_EQ(moved->Count(), 1);
}

}  // namespace
