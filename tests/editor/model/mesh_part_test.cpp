#include <gtest/gtest.h>

#include <memory>

#include "editor/model/generated_part.h"
#include "editor/model/joint_part.h"
#include "editor/model/mesh_part.h"
#include "editor/model/model_document.h"
#include "scene/color.h"
#include "scene/mesh.h"
#include "scene/scene.h"
#include "scene/shape.h"

using namespace ::editor::model;
using namespace ::scene;

namespace {

const C3dColor WHITE{1.0f, 1.0f, 1.0f};
const C3dColor BLUE{0.0f, 0.0f, 1.0f};
const C3dColor BLACK{0.0f, 0.0f, 0.0f};

// A unit square in the z = 0 plane, as two triangles with their own skin coordinates.
void FillSquare(MeshData& mesh) {
    mesh.AddVertex(Vector(0, 0, 0));
    mesh.AddVertex(Vector(1, 0, 0));
    mesh.AddVertex(Vector(1, 1, 0));
    mesh.AddVertex(Vector(0, 1, 0));
    mesh.AddTriangle(0, 1, 2, 10, 11, 12);
    mesh.AddTriangle(0, 2, 3, 10, 12, 13);
    mesh.texVertexCount = 14;
}

bool AllFacesColoured(const C3dShape& shape, const C3dColor& colour) {
    for (const C3dFace& face : shape.Mesh().Faces()) {
        if (!(face.color == colour)) {
            return false;
        }
    }
    return shape.GetFaceCount() > 0;
}

class MeshPartDrawing : public ::testing::Test {
  protected:
    void SetUp() override {
        scene.Create();
        part->scene = &scene;
        FillSquare(part->mesh);
    }

    C3dScene scene;
    std::unique_ptr<MeshPart> part = std::make_unique<MeshPart>();
};

TEST_F(MeshPartDrawing, RebuildDrawsTheMeshAndKeepsTheShapeName) {
    ASSERT_TRUE(part->RebuildShape());
    ASSERT_NE(part->Shape(), nullptr);
    EXPECT_EQ(part->Shape()->GetFaceCount(), 2);
    EXPECT_EQ(part->Shape()->Mesh().GetVertexCount(), 4);
    EXPECT_TRUE(part->Shape()->Mesh().GetPerspective());
    part->Shape()->SetName("File object: body.obj");
    part->mesh.AddTriangle(1, 2, 3, 0, 0, 0);
    ASSERT_TRUE(part->RebuildShape());
    EXPECT_EQ(part->Shape()->GetFaceCount(), 3);
    EXPECT_EQ(part->Shape()->GetName(), "File object: body.obj");
    EXPECT_EQ(part->visible, 1u);
    EXPECT_TRUE(AllFacesColoured(*part->Shape(), WHITE));
    EXPECT_EQ(part->Shape()->GetQuality(), C3D_QUALITY_SOLID);
}

TEST_F(MeshPartDrawing, AListThatIsNotTrianglesIsDrawnWithoutFaces) {
    part->mesh.faces[0] = 5;
    ASSERT_TRUE(part->RebuildShape());
    EXPECT_EQ(part->Shape()->GetFaceCount(), 0);
}

TEST_F(MeshPartDrawing, HiddenPartsAreBlackWireframesWhateverTheMode) {
    part->RebuildShape();
    part->Show(0);
    EXPECT_TRUE(AllFacesColoured(*part->Shape(), BLACK));
    EXPECT_EQ(part->Shape()->GetQuality(), C3D_QUALITY_WIREFRAME);
    part->SetDisplayMode(DISPLAY_CONNECTING);
    EXPECT_TRUE(AllFacesColoured(*part->Shape(), BLACK));
    part->ShowSolid(1);
    EXPECT_EQ(part->Shape()->GetQuality(), C3D_QUALITY_WIREFRAME);
    part->Show(1);
    EXPECT_TRUE(AllFacesColoured(*part->Shape(), BLUE));
    EXPECT_EQ(part->Shape()->GetQuality(), C3D_QUALITY_SOLID);
}

TEST_F(MeshPartDrawing, DisplayModesAndSolidDrawing) {
    part->RebuildShape();
    part->SetDisplayMode(DISPLAY_CONNECTING);
    EXPECT_EQ(part->displayMode, 1u);
    EXPECT_TRUE(AllFacesColoured(*part->Shape(), BLUE));
    part->ShowSolid(0);
    EXPECT_EQ(part->solid, 0u);
    EXPECT_EQ(part->Shape()->GetQuality(), C3D_QUALITY_WIREFRAME);
    part->displayFlags[0] = 1;
    part->displayFlags[1] = 1;
    part->Shape()->SetColor(1, 0, 0);
    part->Refresh();
    EXPECT_EQ(part->displayFlags[0], 0u);
    EXPECT_EQ(part->displayFlags[1], 1u);
    EXPECT_TRUE(AllFacesColoured(*part->Shape(), BLUE));
}

TEST_F(MeshPartDrawing, FlagsSetWithoutAShapeApplyWhenOneIsAttached) {
    part->Show(0);
    part->SetDisplayMode(DISPLAY_CONNECTING);
    EXPECT_EQ(part->visible, 0u);
    EXPECT_EQ(part->displayMode, 1u);
    auto sphere = std::make_unique<C3dShape>();
    sphere->CreateSphere(1.0, 6);
    part->SetShape(std::move(sphere));
    EXPECT_TRUE(AllFacesColoured(*part->Shape(), BLACK));
    EXPECT_EQ(part->Shape()->GetQuality(), C3D_QUALITY_WIREFRAME);
}

TEST_F(MeshPartDrawing, ResetReleasesTheShapeAndRestoresEveryField) {
    part->RebuildShape();
    const size_t childrenBefore = scene.GetChildren().size();
    scene.AddChild(part->Shape());
    part->ShowSolid(0);
    part->SetDisplayMode(1);
    part->MarkModified();
    part->position = Vector(4, 5, 6);
    part->kind = PART_BONE;
    part->Reset();
    EXPECT_EQ(part->Shape(), nullptr);
    EXPECT_EQ(scene.GetChildren().size(), childrenBefore);  // the released shape left the scene
    EXPECT_EQ(part->mesh.vertexCount, 0);
    EXPECT_EQ(part->modified, 0u);
    EXPECT_EQ(part->solid, 1u);
    EXPECT_EQ(part->visible, 1u);
    EXPECT_EQ(part->displayMode, 0u);
    EXPECT_EQ(part->kind, PART_PLAIN);
    EXPECT_EQ(part->up, Vector(0, 1, 0));
    EXPECT_EQ(part->direction, Vector(1, 0, 0));
    EXPECT_EQ(part->position, Vector(0, 0, 0));
}

TEST_F(MeshPartDrawing, PlacementRoundTripsRelativeToTheScene) {
    part->RebuildShape();
    scene.AddChild(part->Shape());
    part->position = Vector(3, -2, 7);
    part->direction = Vector(0, 1, 0);
    part->up = Vector(0, 0, 1);
    part->ApplyPlacement();
    part->position = Vector(0, 0, 0);
    part->direction = Vector(1, 1, 1);
    part->CapturePlacement();
    EXPECT_NEAR(part->position.x, 3.0, 1e-5);
    EXPECT_NEAR(part->position.z, 7.0, 1e-5);
    EXPECT_NEAR(part->direction.y, 1.0, 1e-5);
    EXPECT_NEAR(part->up.z, 1.0, 1e-5);
}

TEST_F(MeshPartDrawing, FlipKeepsSceneTransformsAndReversesWinding) {
    part->RebuildShape();
    scene.AddChild(part->Shape());
    part->Shape()->SetPosition(10, 0, 0, &scene);
    ASSERT_TRUE(part->FlipX());
    EXPECT_EQ(part->modified, 1u);
    EXPECT_NEAR(part->mesh.vertices[1].x, -11.0, 1e-5);  // moved by the scene, then mirrored
    EXPECT_NEAR(part->mesh.vertices[2].y, 1.0, 1e-5);
    int a = 0, b = 0, c = 0;
    part->mesh.GetTriangle(0, a, b, c);
    EXPECT_EQ(a, 2);
    EXPECT_EQ(c, 0);
    part->mesh.GetTexTriangle(0, a, b, c);
    EXPECT_EQ(a, 12);
    EXPECT_EQ(c, 10);
    // The mirrored square, reversed, still faces the way it did.
    ASSERT_TRUE(part->RebuildShape());
    Vector normal = part->Shape()->GetFaceNormal(0);
    Vector before = Vector::Cross(Vector(1, 0, 0), Vector(1, 1, 0));
    before.Normalize();
    EXPECT_NEAR(normal.z, before.z, 1e-5);
}

TEST_F(MeshPartDrawing, FlipOfEachAxis) {
    part->mesh.vertices[2] = Vector(1, 2, 3);
    ASSERT_TRUE(part->FlipY());
    EXPECT_EQ(part->mesh.vertices[2], Vector(1, -2, 3));
    ASSERT_TRUE(part->FlipZ());
    EXPECT_EQ(part->mesh.vertices[2], Vector(1, -2, -3));
    int a = 0, b = 0, c = 0;
    part->mesh.GetTriangle(1, a, b, c);
    EXPECT_EQ(a, 0);  // reversed twice
}

TEST(DerivedParts, GeneratedModelAlwaysStoresModeOne) {
    GeneratedPart generated;
    generated.SetDisplayMode(0);
    EXPECT_EQ(generated.displayMode, 1u);
    generated.Refresh();
    EXPECT_EQ(generated.displayMode, 1u);
}

TEST(DerivedParts, JointRefreshReappliesItsShownState) {
    JointPart joint;
    EXPECT_EQ(joint.kind, PART_JOINT);
    auto sphere = std::make_unique<C3dShape>();
    sphere->CreateSphere(1.0, 4);
    joint.SetShape(std::move(sphere));
    joint.visible = 0;  // changed behind the part's back, as a stale flag would be
    joint.displayFlags[0] = 1;
    joint.Refresh();
    EXPECT_EQ(joint.displayFlags[0], 0u);
    EXPECT_TRUE(AllFacesColoured(*joint.Shape(), BLACK));
    EXPECT_EQ(joint.Shape()->GetQuality(), C3D_QUALITY_WIREFRAME);
}

}  // namespace

namespace {

TEST(MeshPartEdges, AnEmptyMeshRebuildsToAnEmptyShape) {
    auto part = std::make_unique<MeshPart>();
    ASSERT_TRUE(part->RebuildShape());
    EXPECT_EQ(part->Shape()->GetFaceCount(), 0);
}

TEST(MeshPartEdges, AFlipThatCannotReadTheShapeBackChangesNothing) {
    auto part = std::make_unique<MeshPart>();
    FillSquare(part->mesh);
    const Vector corners[4] = {Vector(0, 0, 0), Vector(1, 0, 0), Vector(1, 1, 0), Vector(0, 1, 0)};
    const int32_t quad[] = {4, 0, 1, 2, 3, 0};
    auto square = std::make_unique<C3dShape>();
    ASSERT_TRUE(square->CreateFromFaces(corners, 4, nullptr, 0, quad, 6, true));
    part->SetShape(std::move(square));
    EXPECT_FALSE(part->FlipX());
    EXPECT_EQ(part->modified, 0u);
    EXPECT_EQ(part->mesh.vertices[1], Vector(1, 0, 0));
    int a = 0, b = 0, c = 0;
    part->mesh.GetTriangle(0, a, b, c);
    EXPECT_EQ(a, 0);
}

TEST(MeshPartEdges, TheDocumentIsOneFixedBlockOfAboutNineMegabytes) {
    EXPECT_GT(sizeof(ModelDocument), 8u * 1024 * 1024);
    EXPECT_LT(sizeof(ModelDocument), 10u * 1024 * 1024);
}

}  // namespace
