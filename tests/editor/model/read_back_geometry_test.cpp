#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "editor/model/mesh_data.h"
#include "editor/model/read_back_geometry.h"
#include "scene/scene.h"
#include "scene/shape.h"

using namespace ::editor::model;
using namespace ::scene;

namespace {

std::unique_ptr<C3dShape> TriangleShape() {
    const Vector corners[3] = {Vector(1, 0, 0), Vector(0, 2, 0), Vector(0, 0, 3)};
    const int32_t faces[] = {3, 0, 1, 2, 0};
    auto shape = std::make_unique<C3dShape>();
    shape->CreateFromFaces(corners, 3, nullptr, 0, faces, 5, true);
    return shape;
}

class ReadBack : public ::testing::Test {
  protected:
    void SetUp() override {
        scene.Create();
        shape = TriangleShape();
        scene.AddChild(shape.get());
        // Turned so that its z axis points along the scene's x and its y stays up, then moved.
        shape->SetOrientation(Vector(1, 0, 0), Vector(0, 1, 0), &scene);
        shape->SetPosition(0, 0, 5, &scene);
    }

    C3dScene scene;
    std::unique_ptr<C3dShape> shape;
    std::unique_ptr<MeshData> mesh = std::make_unique<MeshData>();
};

TEST_F(ReadBack, LocalFormKeepsTheShapesOwnCoordinates) {
    ASSERT_TRUE(mesh->AllocNormalIndices());
    ASSERT_EQ(ReadBackGeometry(*shape, *mesh, &scene, true), 1);
    EXPECT_EQ(mesh->vertexCount, 3);
    EXPECT_EQ(mesh->faceCount, 1);
    EXPECT_EQ(mesh->vertices[2], Vector(0, 0, 3));
    EXPECT_EQ(mesh->faces[0], 3);
    EXPECT_EQ(mesh->faces[3], 2);
    EXPECT_EQ(mesh->faces[4], 0);
    EXPECT_EQ(mesh->texFaces[4], 0);
    EXPECT_EQ(mesh->normalIndices, nullptr);
}

TEST_F(ReadBack, SceneFormPlacesVerticesWhereTheSceneShowsThem) {
    ASSERT_EQ(ReadBackGeometry(*shape, *mesh, &scene, false), 1);
    for (int i = 0; i < 3; ++i) {
        Vector expected = shape->LocalToWorld(shape->Mesh().Vertices()[i]);
        EXPECT_NEAR(mesh->vertices[i].x, expected.x, 1e-5) << i;
        EXPECT_NEAR(mesh->vertices[i].y, expected.y, 1e-5) << i;
        EXPECT_NEAR(mesh->vertices[i].z, expected.z, 1e-5) << i;
    }
    EXPECT_NEAR(mesh->vertices[2].x, 3.0, 1e-5);  // local z now runs along x
    EXPECT_NEAR(mesh->vertices[2].z, 5.0, 1e-5);
}

TEST_F(ReadBack, RefusesMeshesThatDoNotFitAndChangesNothing) {
    std::vector<Vector> many(MAX_MESH_ELEMENTS + 1, Vector(0, 0, 0));
    const int32_t faces[] = {3, 0, 1, 2, 0};
    C3dShape big;
    big.CreateFromFaces(many.data(), static_cast<int>(many.size()), nullptr, 0, faces, 5, true);
    mesh->AddVertex(Vector(7, 7, 7));
    EXPECT_EQ(ReadBackGeometry(big, *mesh, &scene, true), 0);
    EXPECT_EQ(mesh->vertexCount, 1);
    EXPECT_EQ(mesh->vertices[0], Vector(7, 7, 7));
}

TEST_F(ReadBack, RefusesFacesThatAreNotTriangles) {
    const Vector corners[4] = {Vector(0, 0, 0), Vector(1, 0, 0), Vector(1, 1, 0), Vector(0, 1, 0)};
    const int32_t quad[] = {4, 0, 1, 2, 3, 0};
    C3dShape square;
    square.CreateFromFaces(corners, 4, nullptr, 0, quad, 6, true);
    EXPECT_EQ(ReadBackGeometry(square, *mesh, &scene, true), 0);
    EXPECT_EQ(mesh->vertexCount, 0);
}

TEST_F(ReadBack, RefusesAMeshWhoseListIsNotTriangles) {
    mesh->faceCount = 1;
    mesh->faces[0] = 4;
    EXPECT_EQ(ReadBackGeometry(*shape, *mesh, &scene, true), 0);
    EXPECT_EQ(mesh->vertexCount, 0);
}

TEST_F(ReadBack, TextureListStaysTerminatedWhenTheCountGrows) {
    ASSERT_EQ(ReadBackGeometry(*shape, *mesh, &scene, true), 1);
    EXPECT_EQ(mesh->texFaces[0], 3);
    EXPECT_EQ(mesh->texFaces[FACE_RECORD_WORDS], 0);
    int ta = -1, tb = -1, tc = -1;
    ASSERT_EQ(mesh->GetTexTriangle(0, ta, tb, tc), 1);
    EXPECT_EQ(ta, 0);
}

}  // namespace
