#include <gtest/gtest.h>

#include <memory>

#include "editor/model/finish_import.h"
#include "editor/model/mesh_data.h"
#include "editor/model/triangle_record.h"

using namespace ::editor::model;

namespace {

std::unique_ptr<MeshData> Tetrahedron() {
    auto mesh = std::make_unique<MeshData>();
    mesh->AddVertex(Vector(0, 0, 0));
    mesh->AddVertex(Vector(10, 0, 0));
    mesh->AddVertex(Vector(0, 10, 0));
    mesh->AddVertex(Vector(0, 0, 10));
    mesh->AddVertex(Vector(50, 50, 50));  // used by no triangle
    mesh->AddTriangle(0, 2, 1, 0, 1, 2);
    mesh->AddTriangle(0, 1, 3, 0, 1, 2);
    mesh->AddTriangle(1, 2, 3, 0, 1, 2);
    mesh->AddTriangle(0, 3, 2, 0, 1, 2);
    mesh->usedVertices.ClearAll();
    mesh->oriented = 0;
    return mesh;
}

void SetTexVertices(MeshData& mesh, std::initializer_list<std::pair<float, float>> uvs) {
    mesh.texVertexCount = 0;
    for (auto [u, v] : uvs) {
        mesh.texVertices[mesh.texVertexCount++] = TexVertex{u, v, 7.0f};
    }
}

TEST(FinishImport, MarksTheUsedVerticesOnly) {
    auto mesh = Tetrahedron();
    FinishImport(*mesh);
    EXPECT_EQ(mesh->usedVertices.Count(), 4);
    EXPECT_FALSE(mesh->usedVertices.Test(4));
}

TEST(FinishImport, WithoutTextureVerticesTheDefaultsGoOnEveryTriangleUnscaled) {
    auto mesh = Tetrahedron();
    FinishImport(*mesh);
    ASSERT_EQ(mesh->texVertexCount, 3);
    EXPECT_EQ(mesh->texVertices[0].u, 0.0f);
    EXPECT_EQ(mesh->texVertices[1].v, 10.0f);
    EXPECT_EQ(mesh->texVertices[2].u, 5.0f);
    EXPECT_EQ(mesh->texVertices[2].v, 5.0f);
    EXPECT_EQ(mesh->texFaces[4 * 4], 0);
}

TEST(FinishImport, FractionsBecomeWholeTexelsEachAxisOnItsOwn) {
    auto mesh = Tetrahedron();
    SetTexVertices(*mesh, {{0.999f, 12.0f}, {0.5f, 40.4f}, {0.0f, -3.7f}});
    FinishImport(*mesh);
    EXPECT_EQ(mesh->texVertices[0].u, 256.0f);  // 255.744 + 0.5 truncated
    EXPECT_EQ(mesh->texVertices[1].u, 128.0f);
    EXPECT_EQ(mesh->texVertices[0].v, 12.0f) << "v above 1: not scaled";
    EXPECT_EQ(mesh->texVertices[1].v, 40.0f);
    EXPECT_EQ(mesh->texVertices[2].v, -3.0f) << "rounded toward zero after adding 0.5";
    EXPECT_EQ(mesh->texVertices[0].w, 7.0f);
}

TEST(FinishImport, NormalsDecideTheWindingAndAreReleased) {
    auto mesh = Tetrahedron();
    ASSERT_TRUE(mesh->AllocNormalIndices());
    // Entry 2 points mostly along +z: every triangle is turned to face up.
    for (int v = 0; v < 5; ++v) {
        mesh->normalIndices[v] = 2;
    }
    FinishImport(*mesh);
    EXPECT_EQ(mesh->normalIndices, nullptr);
    EXPECT_EQ(mesh->oriented, 1u);
    auto records = BuildTriangleRecords(*mesh);
    EXPECT_GT(records[0].normal.z, 0.0f);
}

TEST(FinishImport, WithoutNormalsEveryTriangleEndsFacingOutwards) {
    auto mesh = Tetrahedron();
    mesh->ReverseTriangle(2);
    FinishImport(*mesh);
    EXPECT_EQ(mesh->oriented, 1u);
    auto records = BuildTriangleRecords(*mesh);
    const Vector inside(2.5, 2.5, 2.5);
    for (int t = 0; t < 4; ++t) {
        EXPECT_GT(records[t].normal.Dot(Vector::Subtract(records[t].centre, inside)), 0.0) << t;
    }
}

TEST(FinishImport, AnOrientedMeshKeepsItsWindingAndLosesItsNormals) {
    auto mesh = Tetrahedron();
    mesh->oriented = 1;
    ASSERT_TRUE(mesh->AllocNormalIndices());
    FinishImport(*mesh);
    int a, b, c;
    mesh->GetTriangle(0, a, b, c);
    EXPECT_EQ((std::array<int, 3>{a, b, c}), (std::array<int, 3>{0, 2, 1}));
    EXPECT_EQ(mesh->normalIndices, nullptr);
}

}  // namespace
