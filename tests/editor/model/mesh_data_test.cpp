#include <gtest/gtest.h>

#include <memory>

#include "editor/model/mesh_data.h"
#include "editor/model/triangle_group_table.h"

using namespace ::editor::model;

namespace {

// Meshes are large; keep them off the test's stack.
std::unique_ptr<MeshData> NewMesh() {
    return std::make_unique<MeshData>();
}

void AddQuad(MeshData& mesh) {
    mesh.AddVertex(Vector(0, 0, 0));
    mesh.AddVertex(Vector(1, 0, 0));
    mesh.AddVertex(Vector(1, 1, 0));
    mesh.AddVertex(Vector(0, 1, 0));
    mesh.AddTriangle(0, 1, 2, 0, 1, 2);
    mesh.AddTriangle(0, 2, 3, 0, 2, 3);
}

TEST(MeshDataCapacity, The2049thVertexIsRefusedAndChangesNothing) {
    auto mesh = NewMesh();
    for (int i = 0; i < MAX_MESH_ELEMENTS; ++i) {
        ASSERT_EQ(mesh->AddVertex(Vector(i, 0, 0)), i);
    }
    EXPECT_EQ(mesh->AddVertex(Vector(-1, -1, -1)), -1);
    EXPECT_EQ(mesh->vertexCount, MAX_MESH_ELEMENTS);
    Vector last;
    ASSERT_EQ(mesh->GetVertex(MAX_MESH_ELEMENTS - 1, last), 1);
    EXPECT_EQ(last, Vector(2047, 0, 0));
}

TEST(MeshDataCapacity, The2049thTriangleIsRefusedAndTheListStaysTerminated) {
    auto mesh = NewMesh();
    mesh->AddVertex(Vector(0, 0, 0));
    mesh->AddVertex(Vector(1, 0, 0));
    mesh->AddVertex(Vector(0, 1, 0));
    for (int i = 0; i < MAX_MESH_ELEMENTS; ++i) {
        ASSERT_EQ(mesh->AddTriangle(0, 1, 2, 0, 1, 2), i);
    }
    EXPECT_EQ(mesh->AddTriangle(2, 1, 0, 2, 1, 0), -1);
    EXPECT_EQ(mesh->faceCount, MAX_MESH_ELEMENTS);
    EXPECT_EQ(mesh->faces[FACE_LIST_WORDS - 1], 0);
    EXPECT_EQ(mesh->texFaces[FACE_LIST_WORDS - 1], 0);
    int a = 0, b = 0, c = 0;
    ASSERT_EQ(mesh->GetTriangle(MAX_MESH_ELEMENTS - 1, a, b, c), 1);
    EXPECT_EQ(a, 0);
    EXPECT_EQ(c, 2);
}

TEST(MeshDataTriangles, EveryAddEndsBothListsWithAZeroWord) {
    auto mesh = NewMesh();
    AddQuad(*mesh);
    for (int i = 0; i < 5; ++i) {
        mesh->AddTriangle(1, 2, 3, 7, 8, 9);
        const int end = mesh->faceCount * FACE_RECORD_WORDS;
        EXPECT_EQ(mesh->faces[end], 0);
        EXPECT_EQ(mesh->texFaces[end], 0);
        EXPECT_EQ(mesh->faces[end - FACE_RECORD_WORDS], 3);
    }
    int ta = 0, tb = 0, tc = 0;
    ASSERT_EQ(mesh->GetTexTriangle(2, ta, tb, tc), 1);
    EXPECT_EQ(ta, 7);
    EXPECT_EQ(tc, 9);
}

TEST(MeshDataTriangles, CornersMustBeVerticesInUse) {
    auto mesh = NewMesh();
    AddQuad(*mesh);
    EXPECT_EQ(mesh->AddTriangle(0, 1, 4, 0, 0, 0), -1);
    EXPECT_EQ(mesh->AddTriangle(-1, 1, 2, 0, 0, 0), -1);
    EXPECT_EQ(mesh->faceCount, 2);
    EXPECT_TRUE(mesh->usedVertices.Test(3));
    EXPECT_FALSE(mesh->usedVertices.Test(4));
}

TEST(MeshDataTriangles, AListThatIsNotTrianglesHoldsNone) {
    auto mesh = NewMesh();
    AddQuad(*mesh);
    mesh->faces[0] = 4;
    EXPECT_EQ(mesh->TriangleCount(), 0);
    EXPECT_EQ(mesh->AddTriangle(0, 1, 2, 0, 1, 2), 0);
    EXPECT_EQ(mesh->faceCount, 2);
    int a = 0, b = 0, c = 0;
    EXPECT_EQ(mesh->GetTriangle(0, a, b, c), 0);
    EXPECT_EQ(mesh->EdgeCount(), 0);
    EXPECT_EQ(mesh->FindTriangleByVertices(0, 1, 2), -1);
}

TEST(MeshDataTriangles, AccessorsRefuseEveryIndexOutsideTheData) {
    auto mesh = NewMesh();
    AddQuad(*mesh);
    Vector point(5, 5, 5);
    int a = -7, b = -7, c = -7;
    EXPECT_EQ(mesh->GetVertex(4, point), 0);  // one past the last vertex
    EXPECT_EQ(mesh->GetVertex(-1, point), 0);
    EXPECT_EQ(mesh->GetVertex(MAX_MESH_ELEMENTS, point), 0);
    EXPECT_EQ(point, Vector(5, 5, 5));
    EXPECT_EQ(mesh->GetTriangle(2, a, b, c), 0);
    EXPECT_EQ(mesh->GetTexTriangle(-1, a, b, c), 0);
    EXPECT_EQ(mesh->GetEdge(6, a, b), 0);
    EXPECT_EQ(mesh->GetEdge(-1, a, b), 0);
    EXPECT_EQ(a, -7);
    EXPECT_FALSE(mesh->ReverseTriangle(2));
}

TEST(MeshDataTriangles, CorruptCountsNeverSteerAnIndexOutside) {
    auto mesh = NewMesh();
    AddQuad(*mesh);
    mesh->vertexCount = 1 << 20;
    mesh->faceCount = 1 << 20;
    EXPECT_EQ(mesh->AddVertex(Vector(0, 0, 0)), -1);
    EXPECT_EQ(mesh->AddTriangle(0, 1, 2, 0, 1, 2), -1);
    EXPECT_EQ(mesh->TriangleCount(), MAX_MESH_ELEMENTS);
    EXPECT_EQ(mesh->FindVertex(Vector(9, 9, 9), 0, 0.0), -1);
    mesh->faceCount = -3;
    EXPECT_EQ(mesh->TriangleCount(), 0);
}

TEST(MeshDataTriangles, FindAndWalkTrianglesByVertex) {
    auto mesh = NewMesh();
    AddQuad(*mesh);
    EXPECT_EQ(mesh->FindTriangleByVertices(3, 0, 2), 1);
    EXPECT_EQ(mesh->FindTriangleByVertices(1, 3, 2), -1);
    int cursor = -1;
    EXPECT_EQ(mesh->NextTriangleWithVertex(cursor, 2), 1);
    EXPECT_EQ(cursor, 0);
    EXPECT_EQ(mesh->NextTriangleWithVertex(cursor, 2), 1);
    EXPECT_EQ(cursor, 1);
    EXPECT_EQ(mesh->NextTriangleWithVertex(cursor, 2), 0);
    EXPECT_EQ(cursor, -1);
    cursor = INT32_MAX;
    EXPECT_EQ(mesh->NextTriangleWithVertex(cursor, 2), 0);
}

TEST(MeshDataEdges, EdgesAreDerivedFromTriangleCorners) {
    auto mesh = NewMesh();
    AddQuad(*mesh);
    EXPECT_EQ(mesh->EdgeCount(), 6);
    int p = 0, q = 0;
    ASSERT_EQ(mesh->GetEdge(2, p, q), 1);  // third edge of triangle 0 closes the loop
    EXPECT_EQ(p, 2);
    EXPECT_EQ(q, 0);
    EXPECT_EQ(mesh->FindEdge(0, 2), 2);  // the shared diagonal, once per triangle
    int cursor = 2;
    EXPECT_EQ(mesh->NextEdge(cursor, 2, 0), 3);
    EXPECT_EQ(mesh->NextEdge(cursor, 2, 0), -1);
    EXPECT_EQ(cursor, -1);
    EXPECT_EQ(mesh->FindEdge(1, 3), -1);
}

TEST(MeshDataEdges, NeighboursWalkEveryEdgeTouchingAVertex) {
    auto mesh = NewMesh();
    AddQuad(*mesh);
    std::vector<int> neighbours;
    int cursor = -1;
    for (int n = mesh->NextNeighbour(cursor, 0); n != -1; n = mesh->NextNeighbour(cursor, 0)) {
        neighbours.push_back(n);
    }
    EXPECT_EQ(neighbours, (std::vector<int>{1, 2, 2, 3}));
}

TEST(MeshDataVertices, FindVertexByDistanceOrExactly) {
    auto mesh = NewMesh();
    mesh->AddVertex(Vector(0, 0, 0));
    mesh->AddVertex(Vector(1, 0, 0));
    mesh->AddVertex(Vector(1.3, 0, 0));
    EXPECT_EQ(mesh->FindVertex(Vector(1.2, 0, 0), 0, 0.5), 1);
    EXPECT_EQ(mesh->FindVertex(Vector(1.2, 0, 0), 0, -0.5), 1);
    EXPECT_EQ(mesh->FindVertex(Vector(1.2, 0, 0), 2, 0.5), 2);
    EXPECT_EQ(mesh->FindVertex(Vector(1.2, 0, 0), -4, 0.05), -1);
    EXPECT_EQ(mesh->FindVertex(Vector(1.3, 0, 0), 0, 0.0), 2);
    EXPECT_EQ(mesh->FindVertex(Vector(1.3001, 0, 0), 0, 0.0), -1);
    EXPECT_EQ(mesh->FindVertex(Vector(0.5, 0, 0), 0, 0.5), -1);  // closer than, not as close
}

TEST(MeshDataClear, EmptiesGeometryAndGroupsButKeepsTheTable) {
    auto mesh = NewMesh();
    mesh->groupTable = std::make_unique<TriangleGroupTable>();
    TriangleGroupTable* table = mesh->groupTable.get();
    AddQuad(*mesh);
    table->SaveGroup("quad", nullptr);
    table->temporaryGroup.SetBit(1);
    mesh->oriented = 0;
    mesh->reserved[1] = 9;
    ASSERT_TRUE(mesh->AllocNormalIndices());
    EXPECT_EQ(mesh->normalIndices[NORMAL_INDEX_COUNT - 1], 0);

    mesh->Clear();
    EXPECT_EQ(mesh->vertexCount, 0);
    EXPECT_EQ(mesh->faceCount, 0);
    EXPECT_EQ(mesh->texVertexCount, 0);
    EXPECT_EQ(mesh->faces[0], 0);
    EXPECT_EQ(mesh->texFaces[0], 0);
    EXPECT_EQ(mesh->usedVertices.Count(), 0);
    EXPECT_EQ(mesh->oriented, 1u);
    EXPECT_EQ(mesh->reserved[1], 0u);
    EXPECT_EQ(mesh->normalIndices, nullptr);
    EXPECT_EQ(mesh->groupTable.get(), table);
    EXPECT_EQ(table->GroupCount(), 0);
    EXPECT_EQ(table->temporaryGroup.Count(), 0);
    EXPECT_EQ(mesh->AddVertex(Vector(0, 0, 0)), 0);
}

TEST(MeshDataEditing, ReverseAndNegateForMirroring) {
    auto mesh = NewMesh();
    AddQuad(*mesh);
    ASSERT_TRUE(mesh->ReverseTriangle(1));
    int a = 0, b = 0, c = 0;
    mesh->GetTriangle(1, a, b, c);
    EXPECT_EQ(a, 3);
    EXPECT_EQ(c, 0);
    mesh->GetTexTriangle(1, a, b, c);
    EXPECT_EQ(a, 3);
    EXPECT_EQ(c, 0);
    ASSERT_TRUE(mesh->NegateCoordinate(1));
    EXPECT_EQ(mesh->vertices[2], Vector(1, -1, 0));
    EXPECT_FALSE(mesh->NegateCoordinate(3));
}

TEST(MeshDataEditing, CopyGeometryLeavesTablesAlone) {
    auto source = NewMesh();
    auto target = NewMesh();
    AddQuad(*source);
    source->oriented = 0;
    target->groupTable = std::make_unique<TriangleGroupTable>();
    target->groupTable->SaveGroup("g", nullptr);
    target->CopyGeometryFrom(*source);
    EXPECT_EQ(target->faceCount, 2);
    EXPECT_EQ(target->vertices[2], Vector(1, 1, 0));
    EXPECT_EQ(target->faces[2 * FACE_RECORD_WORDS], 0);
    EXPECT_EQ(target->oriented, 0u);
    EXPECT_TRUE(target->usedVertices.Equals(source->usedVertices));
    EXPECT_EQ(target->groupTable->GroupCount(), 1);
}

}  // namespace
