#include <gtest/gtest.h>

#include "editor/model/model_document.h"
#include "editor/props/merge_notes.h"
#include "editor/props/skin_remap.h"
#include "editor/props/texture_coordinates.h"
#include "tests/editor/props/texture_mesh.h"

using namespace ::editor::model;
using namespace ::editor::props;

namespace {

TEST(TexturesOverlap, ComparesClosedColumnAndRowRanges) {
    auto model = MeshWithRect(0, 0, 127, 255);
    EXPECT_FALSE(TexturesOverlap(*model, *MeshWithRect(128, 0, 255, 255)));
    EXPECT_TRUE(TexturesOverlap(*model, *MeshWithRect(100, 0, 200, 50)));
    // Touching at one column counts as meeting.
    EXPECT_TRUE(TexturesOverlap(*model, *MeshWithRect(127, 0, 200, 50)));
    // Columns meet but rows do not.
    auto top = MeshWithRect(0, 0, 100, 100);
    EXPECT_FALSE(TexturesOverlap(*top, *MeshWithRect(50, 101, 90, 200)));
}

TEST(TexturesOverlap, APropReaching256AlwaysOverlaps) {
    auto model = MeshWithRect(0, 0, 10, 10);
    EXPECT_TRUE(TexturesOverlap(*model, *MeshWithRect(200, 200, 256, 220)));
    EXPECT_TRUE(TexturesOverlap(*model, *MeshWithRect(200, 200, 220, 256)));
    EXPECT_FALSE(TexturesOverlap(*model, *MeshWithRect(200, 200, 255, 255)));
}

TEST(ScalePercent, TruncatesTheStepScales) {
    EXPECT_EQ(ScalePercent(RemapStepScale(0)), 100);
    EXPECT_EQ(ScalePercent(RemapStepScale(7)), 64);
    EXPECT_EQ(ScalePercent(RemapStepScale(11)), 44);
    EXPECT_EQ(ScalePercent(RemapStepScale(12)), 39);
    EXPECT_EQ(ScalePercent(RemapStepScale(14)), 29);
    EXPECT_EQ(ScalePercent(RemapStepScale(16)), 19);
}

class Remap : public ::testing::Test {
  protected:
    void SetUpMeshes(float mu1, float mv1, float pu1, float pv1) {
        document->model.mesh.Clear();
        document->prop.mesh.Clear();
        AddTexturedRect(document->model.mesh, 0, 0, mu1, mv1);
        AddTexturedRect(document->prop.mesh, 0, 0, pu1, pv1);
        SetRegionFromBounds(document->model.mesh, entry.modelRegion);
        SetRegionFromBounds(document->prop.mesh, entry.propRegion);
    }

    std::unique_ptr<ModelDocument> document = std::make_unique<ModelDocument>();
    MergedProp entry;
};

TEST_F(Remap, TheFirstMeshKeepsItsLayout) {
    SetUpMeshes(255, 255, 255, 255);
    ASSERT_EQ(RemapSkins(*document, entry.modelRegion, entry.propRegion), 1);
    EXPECT_TRUE(entry.modelRegion.IsIdentity());
    EXPECT_TRUE(entry.propRegion.IsIdentity());
}

TEST_F(Remap, PlacesThePropInFreeRoomWithAMargin) {
    SetUpMeshes(127, 255, 60, 40);
    document->mergedPropCount = 1;
    ASSERT_EQ(RemapSkins(*document, entry.modelRegion, entry.propRegion), 1);
    EXPECT_EQ(entry.modelRegion.scaleX, 1.0);
    EXPECT_EQ(entry.propRegion.scaleX, 1.0);
    EXPECT_EQ(entry.propRegion.rotated, 0u);
    // The model's column 127 is used, 128 is the margin.
    EXPECT_EQ(entry.propRegion.newX, 129);
    EXPECT_EQ(entry.propRegion.newY, 1);
}

TEST_F(Remap, AFullModelSkinShrinksTheModelBelowFullSize) {
    SetUpMeshes(255, 255, 100, 100);
    document->mergedPropCount = 1;
    ASSERT_EQ(RemapSkins(*document, entry.modelRegion, entry.propRegion), 1);
    EXPECT_LT(entry.modelRegion.scaleX, 1.0);
    EXPECT_EQ(entry.modelRegion.scaleX, entry.modelRegion.scaleY);
    EXPECT_EQ(entry.modelRegion.newX, 0);  // shrinks towards its upper-left corner
    const std::string note = ModelSkinNote(document->model.mesh, entry.modelRegion);
    EXPECT_EQ(note.rfind("NOTE: Model skin was 255x255 at upper left (0,0); will be ", 0), 0u);
    EXPECT_EQ(note.find("will be 100%"), std::string::npos);
}

TEST_F(Remap, APlaceFoundOnlyTurnedSetsRotated) {
    // Free room: a band of 40 rows under a model 255 wide and 200 high; the prop is 30 wide
    // and 230 high, which only fits lying down.
    SetUpMeshes(255, 200, 30, 230);
    document->mergedPropCount = 1;
    ASSERT_EQ(RemapSkins(*document, entry.modelRegion, entry.propRegion), 1);
    EXPECT_EQ(entry.modelRegion.scaleX, 1.0);
    EXPECT_EQ(entry.propRegion.rotated, 1u);
    EXPECT_EQ(entry.propRegion.scaleX, 1.0);
    EXPECT_EQ(entry.propRegion.newY, 202);
    EXPECT_EQ(PropSkinNote(document->prop.mesh, entry.propRegion),
              "NOTE: Prop skin was 30x230 at upper left (0,0); will be 100% of this size and "
              "rotated 90 degrees (swap x,y / flip x) at (1,202).\n");
}

TEST_F(Remap, FailsWhenNothingFitsEvenAtTheSmallestScales) {
    SetUpMeshes(255, 255, 255, 255);
    // At half size the model leaves bands 126 texels wide; a prop of 1000 x 1000 is still 202
    // wide at the smallest prop scale (20%, allowed because its area is above 8192).
    document->mergedPropCount = 1;
    entry.propRegion.width = entry.propRegion.height = 1000;
    EXPECT_EQ(RemapSkins(*document, entry.modelRegion, entry.propRegion), 0);
    EXPECT_EQ(entry.modelRegion.newX, entry.modelRegion.x);
    EXPECT_EQ(entry.modelRegion.newY, entry.modelRegion.y);
}

TEST_F(Remap, ApplyMovesScalesAndTurnsTheCoordinates) {
    SetUpMeshes(255, 200, 30, 230);
    for (int i = 0; i < document->prop.mesh.texVertexCount; ++i) {
        document->prop.mesh.texVertices[i].u += 10;  // prop area at columns 10..40
    }
    SetRegionFromBounds(document->prop.mesh, entry.propRegion);
    document->mergedPropCount = 1;
    ASSERT_EQ(RemapSkins(*document, entry.modelRegion, entry.propRegion), 1);
    ApplySkinRegions(document->model.mesh, document->prop.mesh, entry.modelRegion,
                     entry.propRegion);
    TexelPoint min, max;
    TextureBounds(document->prop.mesh, min, max);
    EXPECT_EQ(min.u, entry.propRegion.newX);
    EXPECT_EQ(min.v, entry.propRegion.newY);
    EXPECT_EQ(max.u - min.u, 230.0);  // turned: the height became the width
    EXPECT_EQ(max.v - min.v, 30.0);
    TextureBounds(document->model.mesh, min, max);
    EXPECT_EQ(min.u, 0.0);
    EXPECT_EQ(max.v, 200.0);
}

}  // namespace
