#include <gtest/gtest.h>

#include "editor/props/texture_coordinates.h"
#include "tests/editor/props/texture_mesh.h"

using namespace ::editor::props;

namespace {

TEST(TextureBounds, EmptyMeshGetsTheStartValuesAndVerticesWidenThem) {
    auto mesh = std::make_unique<MeshData>();
    TexelPoint min, max;
    TextureBounds(*mesh, min, max);
    EXPECT_EQ(min.u, 255.0);
    EXPECT_EQ(min.v, 255.0);
    EXPECT_EQ(max.u, 0.0);
    EXPECT_EQ(max.v, 0.0);

    AddTexturedTriangle(*mesh, 10, 40, 30, 20, 12, 90);
    TextureBounds(*mesh, min, max);
    EXPECT_EQ(min.u, 10.0);
    EXPECT_EQ(min.v, 20.0);
    EXPECT_EQ(max.u, 30.0);
    EXPECT_EQ(max.v, 90.0);
}

TEST(TranslateTexture, RefusesToMovePastTheLeftOrTopEdge) {
    auto mesh = MeshWithRect(10, 20, 50, 60);
    EXPECT_EQ(TranslateTexture(*mesh, -11, 0), 0);
    EXPECT_EQ(TranslateTexture(*mesh, 0, -21), 0);
    EXPECT_EQ(mesh->texVertices[0].u, 10.0f);
    EXPECT_EQ(mesh->texVertices[0].v, 20.0f);

    EXPECT_EQ(TranslateTexture(*mesh, -10, 5), 1);
    TexelPoint min, max;
    TextureBounds(*mesh, min, max);
    EXPECT_EQ(min.u, 0.0);
    EXPECT_EQ(min.v, 25.0);
    EXPECT_EQ(max.u, 40.0);
    EXPECT_EQ(max.v, 65.0);
}

TEST(ScaleTexture, ScalesAboutTheOriginAndRefusesToLeaveTheSkin) {
    auto mesh = MeshWithRect(100, 100, 200, 150);
    EXPECT_EQ(ScaleTexture(*mesh, 2.0, 1.0, 0.0, 0.0), 0);  // 400 is outside
    EXPECT_EQ(ScaleTexture(*mesh, 1.0, 1.0, 300.0, 0.0), 1);
    EXPECT_EQ(ScaleTexture(*mesh, 1.0, 2.0, 0.0, 100.0), 1);  // 100..200 rows
    EXPECT_EQ(ScaleTexture(*mesh, 1.0, 2.0, 0.0, 0.0), 0);    // 400 rows: refused
    EXPECT_EQ(ScaleTexture(*mesh, 0.5, 0.5, 100.0, 100.0), 1);
    TexelPoint min, max;
    TextureBounds(*mesh, min, max);
    EXPECT_EQ(min.u, 100.0);
    EXPECT_EQ(max.u, 150.0);
    EXPECT_EQ(min.v, 100.0);
    EXPECT_EQ(max.v, 150.0);
    // The largest coordinate must stay below 256.
    auto edge = MeshWithRect(0, 0, 128, 10);
    EXPECT_EQ(ScaleTexture(*edge, 2.0, 1.0, 0.0, 0.0), 0);
}

TEST(RotateTexture, SwapsAxesAndFlipsTheNewColumn) {
    auto mesh = std::make_unique<MeshData>();
    AddTexturedTriangle(*mesh, 0, 0, 20, 0, 0, 10);
    RotateTexture(*mesh);
    // u' = maxV - v, v' = u with maxV = 10.
    EXPECT_EQ(mesh->texVertices[0].u, 10.0f);
    EXPECT_EQ(mesh->texVertices[0].v, 0.0f);
    EXPECT_EQ(mesh->texVertices[1].u, 10.0f);
    EXPECT_EQ(mesh->texVertices[1].v, 20.0f);
    EXPECT_EQ(mesh->texVertices[2].u, 0.0f);
    EXPECT_EQ(mesh->texVertices[2].v, 0.0f);
}

}  // namespace
