#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "editor/generate/body_parts.h"
#include "editor/generate/mesh_deformation.h"
#include "editor/groups/model_bindings.h"
#include "editor/model/model_document.h"
#include "editor/model/triangle_group_table.h"
#include "editor/skeleton/pose_math.h"
#include "editor/skeleton/posing.h"
#include "editor/skeleton/skeleton_activation.h"
#include "editor/skeleton/skeleton_posing.h"
#include "editor/skeleton/skeleton_scene.h"
#include "scene/scene.h"
#include "scene/shape.h"
#include "tests/editor/generate/bound_meshes.h"
#include "tests/editor/groups/character_mesh.h"
#include "tests/support/declining_prompts.h"

using namespace ::editor::generate;
using namespace ::editor::groups;
using namespace ::editor::model;
using namespace ::editor::skeleton;
using namespace ::scene;

namespace {

constexpr int THIGH = 1;
constexpr int CALF = 2;
constexpr int FOOT = 3;
constexpr double CLOSE = 1e-3;

double Distance(const Vector& a, const Vector& b) {
    return Vector::Subtract(a, b).Length();
}

// Says Yes to every overwrite question but the refused one, and records them.
class OverwriteAnswers : public DecliningPrompts {
  public:
    OverwriteAnswers(std::vector<std::string>& questions, const std::string& refused)
        : questions_(questions), refused_(refused) {}
    bool AskYesNo(const std::string& question) override {
        questions_.push_back(question);
        return question != refused_;
    }

  private:
    std::vector<std::string>& questions_;
    const std::string& refused_;
};

// The tube character fitted around the started skeleton, every tube bound to its bone.
class Deformation : public ::testing::Test {
  protected:
    void SetUp() override {
        scene_.Create();
        document_->SetScene(&scene_);
        store_.SetQuestions(&answers_);
        BuildSkeleton(posing_);
        LinkSkeleton(*document_, scene_);
        posing_.Apply(document_->defaultPose);
        auto mesh = std::make_unique<MeshData>();
        AddCharacterMesh(*mesh, SkeletonForGuess(*document_), 5);
        BoundTriangles bound;
        BindCharacterTubes(*mesh, bound);
        InstallModel(*document_, *mesh, bound);
    }
    void TearDown() override {
        UnlinkSkeleton(*document_);
        scene_.RemoveAllChildren();
    }

    int Generate() {
        TriangleSet highlight;
        return GenerateBodyParts(posing_, store_, highlight, nullptr);
    }
    PoseRecord CurrentPose() {
        PoseRecord record;
        posing_.Capture(record);
        return record;
    }
    const MeshData& Model() const { return document_->model.mesh; }
    const MeshData& Generated() const { return document_->generatedModel.mesh; }
    int OwnerOf(int v) const {
        for (int b = 0; b < NUM_BONES; ++b) {
            if (document_->bones[b].boundVertices.Test(v)) {
                return b;
            }
        }
        return -1;
    }
    // The pose with the left hip turned.
    PoseRecord TurnedLeftHip() {
        PoseRecord record = CurrentPose();
        record.angles[THIGH].angleY += 0.5;
        return record;
    }

    C3dScene scene_;
    std::unique_ptr<ModelDocument> document_ = std::make_unique<ModelDocument>();
    MeshDeformation deformation_;
    LocalCoordinateStore store_;
    Posing posing_{*document_, deformation_};
    std::vector<std::string> questions_;
    std::string refused_;
    OverwriteAnswers answers_{questions_, refused_};
};

TEST_F(Deformation, TheGenerationPoseGivesBackTheModel) {
    ASSERT_EQ(Generate(), GENERATION_DONE);
    ASSERT_NE(document_->generatedModel.Shape(), nullptr);
    EXPECT_EQ(document_->generatedModel.Shape()->GetName(), GENERATED_MODEL_NAME);
    EXPECT_EQ(document_->generatedModel.Shape()->GetParent(), &scene_);
    EXPECT_TRUE(questions_.empty());
    posing_.Apply(CurrentPose());
    ASSERT_EQ(Generated().vertexCount, Model().vertexCount);
    for (int v = 0; v < Model().vertexCount; ++v) {
        EXPECT_LT(Distance(Generated().vertices[v], Model().vertices[v]), CLOSE) << v;
    }
}

TEST_F(Deformation, ALeftHipTurnMovesOnlyTheLeftLeg) {
    ASSERT_EQ(Generate(), GENERATION_DONE);
    posing_.Apply(TurnedLeftHip());
    int moved = 0;
    for (int v = 0; v < Model().vertexCount; ++v) {
        const int owner = OwnerOf(v);
        const bool leg = owner == THIGH || owner == CALF || owner == FOOT;
        const double shift = Distance(Generated().vertices[v], Model().vertices[v]);
        if (leg) {
            moved += shift > 0.1 ? 1 : 0;
        } else {
            EXPECT_LT(shift, CLOSE) << "vertex " << v << " of bone " << owner;
        }
    }
    EXPECT_GT(moved, 50);
}

TEST_F(Deformation, ADragWaitsForTheNextPoseApplication) {
    ASSERT_EQ(Generate(), GENERATION_DONE);
    const PoseRecord turned = TurnedLeftHip();
    // Move the knee as a drag does: the joint and the bone ending there.
    JointPart& knee = document_->joints[2];
    knee.Shape()->SetPosition(Vector::Add(knee.Shape()->GetPosition(&scene_), Vector(3, 0, 0)),
                              &scene_);
    AimBone(*document_, knee);
    for (int v = 0; v < Model().vertexCount; ++v) {
        ASSERT_LT(Distance(Generated().vertices[v], Model().vertices[v]), CLOSE);
    }
    posing_.Apply(turned);
    const int legVertex = 29 * THIGH;
    EXPECT_GT(Distance(Generated().vertices[legVertex], Model().vertices[legVertex]), 0.1);
}

TEST_F(Deformation, ABoneThatLostEligibilityKeepsItsCoordinatesAndFollowsPoses) {
    ASSERT_EQ(Generate(), GENERATION_DONE);
    const MeshData& thigh = document_->bones[THIGH].mesh;
    const int stored = thigh.vertexCount;
    ASSERT_GT(stored, 0);
    const Vector before = thigh.vertices[29 * THIGH];
    uint32_t nodes[NUM_MESH_NODES];
    GetActiveNodes(*document_, nodes);
    for (int n = 0; n < NUM_MESH_NODES; ++n) {
        for (int i = 0; i < meshNodeBones[n].boneCount; ++i) {
            nodes[n] = meshNodeBones[n].bones[i] == THIGH ? 0u : nodes[n];
        }
    }
    SetActiveNodes(*document_, nodes);
    ASSERT_FALSE(document_->bones[THIGH].visible != 0 && document_->bones[THIGH].displayMode == 0);
    // Another model position: a new generation would store other coordinates.
    document_->model.Shape()->SetPosition(Vector(0, 0, 2), &scene_);
    questions_.clear();
    ASSERT_EQ(Generate(), GENERATION_DONE);
    EXPECT_EQ(thigh.vertexCount, stored);
    EXPECT_EQ(Distance(thigh.vertices[29 * THIGH], before), 0.0);
    for (const std::string& question : questions_) {
        EXPECT_NE(question, "OK to overwrite 'left thigh'?");
    }
    EXPECT_FALSE(questions_.empty());
    posing_.Apply(TurnedLeftHip());
    EXPECT_GT(Distance(Generated().vertices[29 * THIGH], Model().vertices[29 * THIGH]), 0.1);
}

TEST_F(Deformation, NoToTheOverwriteQuestionKeepsThatBoneOnly) {
    ASSERT_EQ(Generate(), GENERATION_DONE);
    const Vector thighBefore = document_->bones[THIGH].mesh.vertices[29 * THIGH];
    const Vector calfBefore = document_->bones[CALF].mesh.vertices[29 * CALF];
    document_->model.Shape()->SetPosition(Vector(0, 0, 2), &scene_);
    refused_ = "OK to overwrite 'left thigh'?";
    ASSERT_EQ(Generate(), GENERATION_DONE);
    EXPECT_NE(std::find(questions_.begin(), questions_.end(), refused_), questions_.end());
    EXPECT_NE(std::find(questions_.begin(), questions_.end(), "OK to overwrite 'left calf'?"),
              questions_.end());
    EXPECT_EQ(Distance(document_->bones[THIGH].mesh.vertices[29 * THIGH], thighBefore), 0.0);
    EXPECT_GT(Distance(document_->bones[CALF].mesh.vertices[29 * CALF], calfBefore), 1.0);
}

TEST_F(Deformation, WithoutCoordinatesTheModelIsCopiedButNoShapeBuilt) {
    document_->model.mesh.vertices[0] = Vector(1, 2, 3);
    posing_.Apply(CurrentPose());
    EXPECT_EQ(Generated().faceCount, Model().faceCount);
    EXPECT_EQ(Distance(Generated().vertices[0], Vector(1, 2, 3)), 0.0);
    EXPECT_EQ(document_->generatedModel.Shape(), nullptr);
}

TEST_F(Deformation, AVertexBoundAfterGenerationKeepsItsOwnersPosition) {
    ASSERT_EQ(Generate(), GENERATION_DONE);
    const PoseRecord turned = TurnedLeftHip();
    posing_.Apply(turned);
    const int v = 29 * THIGH;
    const Vector posed = Generated().vertices[v];
    // A later bone gains the vertex without a stored coordinate for it.
    ASSERT_TRUE(HasLocalCoordinates(*document_, 20));
    document_->bones[20].boundVertices.SetBit(v);
    posing_.Apply(turned);
    EXPECT_LT(Distance(Generated().vertices[v], posed), CLOSE);
}

TEST_F(Deformation, GeneratedModelKeepsOneEmptyDefaultGroup) {
    document_->generatedModel.mesh.groupTable = std::make_unique<TriangleGroupTable>();
    TriangleSet some;
    some.SetBit(3);
    document_->generatedModel.mesh.groupTable->SaveGroup("arms", &some);
    document_->generatedModel.mesh.groupTable->SaveGroup("legs", &some);
    ASSERT_EQ(Generate(), GENERATION_DONE);
    const TriangleGroupTable& groups = *document_->generatedModel.mesh.groupTable;
    ASSERT_EQ(groups.GroupCount(), 1);
    EXPECT_EQ(groups.GroupName(0), "default");
    EXPECT_FALSE(groups.GroupSet(0)->Any());
}

TEST_F(Deformation, ScaleToGroundScalesLengthsAndStoredCoordinatesAlike) {
    ASSERT_EQ(Generate(), GENERATION_DONE);
    BoneLengths lengths;
    GetBoneLengths(*document_, lengths);
    for (double& length : lengths) {
        length *= 1.5;
    }
    SetBoneLengths(*document_, lengths);
    const Vector stored = document_->bones[CALF].mesh.vertices[29 * CALF];
    ScaleToGround(*document_);  // off: nothing happens
    EXPECT_EQ(Distance(document_->bones[CALF].mesh.vertices[29 * CALF], stored), 0.0);
    document_->scaleToGround = 1;
    BoneLengths scaled;
    const double ratio = LegHeightRatio(*document_, scaled);
    ScaleToGround(*document_);
    EXPECT_NEAR(ratio, 1 / 1.5, 1e-4);
    EXPECT_NEAR(document_->bones[CALF].length, scaled[CALF], 1e-9);
    EXPECT_LT(
        Distance(document_->bones[CALF].mesh.vertices[29 * CALF], Vector::Scaled(stored, ratio)),
        1e-4);
}

TEST_F(Deformation, ReferencePointsArePosedFromTheBoneFrame) {
    const PoseRecord pose = CurrentPose();
    document_->refSkeleton[CALF][1] = Vector(2, 0, 0);
    posing_.Follow();
    const PoseVec expected =
        PoseRotation(pose.angles[CALF]) * PoseVec{2, 0, 0} + pose.startPositions[CALF];
    const Vector& point = document_->refSkeleton[CALF][1];
    EXPECT_NEAR(point.x, expected.x, CLOSE);
    EXPECT_NEAR(point.y, expected.y, CLOSE);
    EXPECT_NEAR(point.z, expected.z, CLOSE);
}

}  // namespace
