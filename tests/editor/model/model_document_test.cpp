#include <gtest/gtest.h>

#include <memory>

#include "editor/model/model_document.h"
#include "editor/model/triangle_group_table.h"
#include "scene/scene.h"
#include "scene/shape.h"

using namespace ::editor::model;
using namespace ::scene;

namespace {

class Document : public ::testing::Test {
  protected:
    std::unique_ptr<ModelDocument> document = std::make_unique<ModelDocument>();
};

TEST_F(Document, ResetNumbersAndLinksTheSkeleton) {
    for (int j = 0; j < NUM_JOINTS; ++j) {
        EXPECT_EQ(document->joints[j].jointIndex, static_cast<uint32_t>(j));
        EXPECT_EQ(document->joints[j].kind, PART_JOINT);
    }
    for (int b = 0; b < NUM_BONES; ++b) {
        const BonePart& bone = document->bones[b];
        EXPECT_EQ(bone.boneIndex, static_cast<uint32_t>(b));
        EXPECT_EQ(bone.kind, PART_BONE);
        EXPECT_EQ(bone.startJoint, &document->joints[boneTable[b].startJoint]);
        EXPECT_EQ(bone.endJoint, &document->joints[boneTable[b].endJoint]);
        EXPECT_DOUBLE_EQ(bone.length, boneTable[b].defaultLength);
    }
    EXPECT_EQ(document->bones[10].startJoint->jointIndex, 10u);  // left chest: upper back ...
    EXPECT_EQ(document->bones[10].endJoint->jointIndex, 11u);    // ... to left shoulder
    for (uint32_t flag : document->activeNodes) {
        EXPECT_EQ(flag, 1u);
    }
    EXPECT_EQ(document->rigidBones, 1u);
    EXPECT_EQ(document->normalizePoses, 0u);
    EXPECT_EQ(document->hasDefaultPose, 0u);
    EXPECT_EQ(document->model.kind, PART_PLAIN);
    EXPECT_DOUBLE_EQ(document->generationSettings[0], 1.0);
    EXPECT_DOUBLE_EQ(document->generationSettings[1], 1.0);
}

TEST_F(Document, OnlyTheModelAndThePropCarryGroups) {
    EXPECT_NE(document->model.mesh.groupTable, nullptr);
    EXPECT_NE(document->prop.mesh.groupTable, nullptr);
    EXPECT_NE(document->model.mesh.groupTable, document->prop.mesh.groupTable);
    EXPECT_EQ(document->generatedModel.mesh.groupTable, nullptr);
    EXPECT_EQ(document->dividingPlane.mesh.groupTable, nullptr);
    EXPECT_EQ(document->bones[0].mesh.groupTable, nullptr);
}

TEST_F(Document, ResetEmptiesEverythingEditedSinceAndKeepsTheTables) {
    TriangleGroupTable* table = document->model.mesh.groupTable.get();
    table->SaveGroup("arm", nullptr);
    document->model.mesh.AddVertex(Vector(1, 2, 3));
    document->prop.mesh.AddVertex(Vector(1, 2, 3));
    document->bones[3].boundTriangles.SetBit(5);
    document->bones[3].boundVertices.SetBit(6);
    document->bones[3].mesh.AddVertex(Vector(0, 0, 0));
    document->usedTexels.SetRange(0, 500);
    document->mergedPropCount = 4;
    document->mergedProps[2].propRegion.meshName = "sword";
    document->mergedProps[2].propRegion.scaleX = 2.0;
    document->activeNodes[5] = 0;
    document->rigidBones = 0;
    document->viewGenerated = 1;
    document->exporting = 1;
    document->joints[4].Show(0);
    auto sphere = std::make_unique<C3dShape>();
    document->joints[4].SetShape(std::move(sphere));

    document->Reset();
    EXPECT_EQ(document->model.mesh.groupTable.get(), table);
    EXPECT_EQ(table->GroupCount(), 0);
    EXPECT_EQ(document->model.mesh.vertexCount, 0);
    EXPECT_EQ(document->prop.mesh.vertexCount, 0);
    EXPECT_EQ(document->bones[3].boundTriangles.Count(), 0);
    EXPECT_EQ(document->bones[3].boundVertices.Count(), 0);
    EXPECT_EQ(document->bones[3].mesh.vertexCount, 0);
    EXPECT_EQ(document->usedTexels.Count(), 0);
    EXPECT_EQ(document->usedTexels.Size(), 65536);
    EXPECT_EQ(document->mergedPropCount, 0);
    EXPECT_TRUE(document->mergedProps[2].propRegion.meshName.empty());
    EXPECT_TRUE(document->mergedProps[2].propRegion.IsIdentity());
    EXPECT_EQ(document->activeNodes[5], 1u);
    EXPECT_EQ(document->rigidBones, 1u);
    EXPECT_EQ(document->viewGenerated, 0u);
    EXPECT_EQ(document->exporting, 0u);
    EXPECT_EQ(document->joints[4].Shape(), nullptr);
    EXPECT_EQ(document->joints[4].visible, 1u);
}

TEST_F(Document, SetSceneReachesEveryPart) {
    C3dScene scene;
    document->SetScene(&scene);
    EXPECT_EQ(document->scene, &scene);
    for (const JointPart& joint : document->joints) {
        EXPECT_EQ(joint.scene, &scene);
    }
    for (const BonePart& bone : document->bones) {
        EXPECT_EQ(bone.scene, &scene);
    }
    EXPECT_EQ(document->model.scene, &scene);
    EXPECT_EQ(document->dividingPlane.scene, &scene);
    EXPECT_EQ(document->prop.scene, &scene);
    EXPECT_EQ(document->generatedModel.scene, &scene);
}

TEST_F(Document, PartsAreFoundByTheirShapes) {
    auto jointShape = std::make_unique<C3dShape>();
    auto boneShape = std::make_unique<C3dShape>();
    C3dShape* jointRaw = jointShape.get();
    C3dShape* boneRaw = boneShape.get();
    document->joints[17].SetShape(std::move(jointShape));
    document->bones[36].SetShape(std::move(boneShape));
    EXPECT_EQ(document->JointByShape(jointRaw), &document->joints[17]);
    EXPECT_EQ(document->BoneByShape(boneRaw), &document->bones[36]);
    EXPECT_EQ(document->JointByShape(boneRaw), nullptr);
    EXPECT_EQ(document->BoneByShape(jointRaw), nullptr);
    // Parts without shapes must not answer for "no shape".
    EXPECT_EQ(document->JointByShape(nullptr), nullptr);
    EXPECT_EQ(document->BoneByShape(nullptr), nullptr);
}

TEST(SkinRegions, ResetStateIsTheIdentity) {
    SkinRegion region;
    EXPECT_TRUE(region.IsIdentity());
    region.newX = 5;
    EXPECT_FALSE(region.IsIdentity());
    region.x = 5;
    region.scaleY = 0.5;
    EXPECT_FALSE(region.IsIdentity());
    region.Reset();
    EXPECT_TRUE(region.IsIdentity());
    EXPECT_EQ(region.rotated, 0u);
}

}  // namespace
