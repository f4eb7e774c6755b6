#include <gtest/gtest.h>

#include "tests/editor/skeleton/expect_near.h"

#include <cmath>

#include "editor/model/triangle_group_table.h"
#include "editor/skeleton/drag_math.h"
#include "editor/skeleton/skeleton_scene.h"
#include "scene/input/input_message.h"
#include "scene/scene.h"
#include "scene/viewport.h"
#include "tests/editor/skeleton/frame_fixture.h"

using namespace ::editor::model;
using namespace ::editor::skeleton;
using namespace ::scene;
using namespace ::scene::input;

namespace {
double Distance(ModelDocument& document, int a, int b) {
    return Vector::Subtract(JointScenePosition(document, &document.joints[a]),
                            JointScenePosition(document, &document.joints[b]))
        .Length();
}

class SelectionCommands : public FrameTest {
  protected:
    // Where a world point shows in the view.
    void ViewPosition(const Vector& world, int& x, int& y) {
        C3dVector4 p = frame_->View().GetViewport()->Transform(world);
        x = static_cast<int>(std::lround(p.x / p.w));
        y = static_cast<int>(std::lround(p.y / p.w));
    }
    void ClickOn(C3dShape* shape) {
        int x = 0, y = 0;
        ViewPosition(shape->LocalToWorld(Vector(0, 0, 0)), x, y);
        frame_->ClickView(x, y);
    }
    // A 20 x 20 square facing the front camera, as the editable model.
    C3dShape* AddModel() {
        MeshData& mesh = Document().model.mesh;
        mesh.Clear();
        mesh.AddVertex(Vector(-30, -10, -10));
        mesh.AddVertex(Vector(-30, 10, -10));
        mesh.AddVertex(Vector(-30, 10, 10));
        mesh.AddVertex(Vector(-30, -10, 10));
        mesh.AddTriangle(0, 1, 2, 0, 0, 0);
        mesh.AddTriangle(0, 2, 3, 0, 0, 0);
        Document().model.RebuildShape();
        frame_->Scene()->AddChild(Document().model.Shape());
        return Document().model.Shape();
    }
};
}  // namespace

TEST_F(SelectionCommands, ClickingAJointSelectsAndHighlightsIt) {
    Start();
    C3dShape* knee = Document().joints[2].Shape();
    ClickOn(knee);
    EXPECT_EQ(frame_->Selection().Shape(), knee);
    EXPECT_TRUE(Saw("status: Selected: left knee"));
    EXPECT_EQ(Document().joints[2].displayFlags[1], 1u);
    // The selection box hangs below the selected shape.
    EXPECT_FALSE(knee->GetChildren().empty());

    frame_->ClickView(1, 1);  // empty corner
    EXPECT_EQ(frame_->Selection().Shape(), nullptr);
    EXPECT_EQ(LastLine(), "status: No selection");
    EXPECT_EQ(Document().joints[2].displayFlags[1], 0u);
    // Only the skeleton hangs below the knee again: the ankle and the thigh ending there.
    ASSERT_EQ(knee->GetChildren().size(), 2u);
    for (C3dFrame* child : knee->GetChildren()) {
        EXPECT_TRUE(child == Document().joints[3].Shape() || child == Document().bones[1].Shape());
    }
}

TEST_F(SelectionCommands, TheSkeletonStandsOutAndTheSelectedJointStaysRedWhenShownAgain) {
    Start();
    C3dShape* knee = Document().joints[2].Shape();
    auto colour = [](const C3dShape* shape) { return shape->Mesh().Faces().front().color; };
    EXPECT_TRUE(knee->IsDrawnOnTop());
    EXPECT_GT(colour(knee).r, 0.9f);
    EXPECT_LT(colour(knee).b, 0.5f);  // not the white of the wireframe
    frame_->Selection().Select(knee);
    EXPECT_EQ(colour(knee).g, 0.0f);
    // "Mesh Nodes..." shows every part again; the selection keeps its red.
    uint32_t all[NUM_MESH_NODES];
    std::fill(std::begin(all), std::end(all), 1u);
    SetActiveNodes(Document(), all);
    EXPECT_EQ(colour(knee).g, 0.0f);
    frame_->Selection().Select(nullptr);
    EXPECT_GT(colour(knee).g, 0.5f);
}

TEST_F(SelectionCommands, HiddenPartsArePickedThrough) {
    Start();
    uint32_t none[NUM_MESH_NODES] = {};
    SetActiveNodes(Document(), none);
    ClickOn(Document().joints[2].Shape());
    EXPECT_EQ(frame_->Selection().Shape(), nullptr);
}

TEST_F(SelectionCommands, BonesAreSteppedThroughTheEligibleOnes) {
    Start();
    ASSERT_TRUE(Run(ID_SKELETON_NEXT_BONE));
    EXPECT_TRUE(Saw("message: Please select a bone first."));
    frame_->Selection().Select(Document().bones[1].Shape());
    EXPECT_EQ(frame_->Selection().Bone(), 1);
    ASSERT_TRUE(Run(ID_SKELETON_NEXT_BONE));
    EXPECT_EQ(frame_->Selection().Shape(), Document().bones[2].Shape());
    EXPECT_EQ(LastLine(), "status: Selected: left calf");
    ASSERT_TRUE(Run(ID_SKELETON_PREVIOUS_BONE));
    ASSERT_TRUE(Run(ID_SKELETON_PREVIOUS_BONE));
    EXPECT_EQ(frame_->Selection().Bone(), 0);
}

TEST_F(SelectionCommands, CutRefusesSkeletonPartsAndDeletesTheProp) {
    Start();
    frame_->Selection().Select(Document().joints[2].Shape());
    ASSERT_TRUE(Run(ID_EDIT_CUT));
    EXPECT_TRUE(Saw("message: Only a model or prop can be deleted."));
    EXPECT_NE(Document().joints[2].Shape(), nullptr);

    auto prop = std::make_unique<C3dShape>();
    prop->CreateSphere(3.0, 6);
    Document().prop.SetShape(std::move(prop));
    frame_->Scene()->AddChild(Document().prop.Shape());
    frame_->Selection().Select(Document().prop.Shape());
    ASSERT_TRUE(Run(ID_EDIT_CUT));
    EXPECT_EQ(Document().prop.Shape(), nullptr);
    EXPECT_EQ(frame_->Selection().Shape(), nullptr);
}

TEST_F(SelectionCommands, ClickingTheModelTogglesTheHitTriangle) {
    Start();
    C3dShape* model = AddModel();
    Document().joints[0].Shape()->SetPosition(Vector(0, 0, 60), Document().scene);
    int x = 0, y = 0;
    ViewPosition(Vector(-30, 5, -5), x, y);
    frame_->ClickView(x, y);
    ASSERT_EQ(frame_->Selection().Shape(), model);
    ASSERT_GE(frame_->Selection().HitFace(), 0);
    TriangleSet& group = Document().model.mesh.groupTable->temporaryGroup;
    EXPECT_TRUE(group.Test(frame_->Selection().HitFace()));
    EXPECT_EQ(LastLine().rfind("status: Selected: ", 0), 0u);
    EXPECT_NE(LastLine().find(" @ "), std::string::npos);
    // Box and hit-point cone hang below the model.
    EXPECT_EQ(model->GetChildren().size(), 2u);
    frame_->ClickView(x, y);
    EXPECT_FALSE(group.Test(frame_->Selection().HitFace()));
}

// The current bone and the picked face are kept across other selections; "New" forgets the
// face, which belonged to the old model.
TEST_F(SelectionCommands, TheBoneAndThePickedFaceOutliveOtherSelectionsUntilNew) {
    Start();
    C3dShape* model = AddModel();
    Selection& selection = frame_->Selection();
    selection.Select(Document().bones[1].Shape());
    selection.PickFace(model, 1, Vector(-30, 5, 5));
    EXPECT_EQ(selection.Shape(), model);
    EXPECT_EQ(selection.HitFace(), 1);
    EXPECT_EQ(selection.PickedFace(), 1);
    EXPECT_EQ(LastLine(), "status: Selected: 3D Shape (1 @ -30.0,5.0,5.0)");
    selection.Select(nullptr);
    EXPECT_EQ(selection.Bone(), 1);
    EXPECT_EQ(selection.PickedFace(), 1);
    frame_->NewDocument();
    EXPECT_EQ(selection.PickedFace(), -1);
    EXPECT_EQ(selection.Shape(), nullptr);
}

TEST_F(SelectionCommands, APressNearAJointTakesItBeforeTheModelInFrontAndDragsIt) {
    Start();
    Document().rigidBones = 0;
    JointPart& knee = Document().joints[2];
    // The model's square hangs in front of the knee, between it and the front camera.
    C3dShape* model = AddModel();
    Vector at = knee.Shape()->LocalToWorld(Vector(0, 0, 0));
    model->SetPosition(Vector(at.x - 10.0, at.y, at.z), frame_->Scene());
    int x = 0, y = 0;
    ViewPosition(at, x, y);
    ASSERT_EQ(frame_->View().Pick(x + 3, y), model);
    ASSERT_TRUE(frame_->PressView(x + 3, y));
    EXPECT_EQ(frame_->Selection().Shape(), knee.Shape());
    // One pixel already moves it: there is no dead zone.
    frame_->DragView(x + 4, y);
    int movedX = 0, movedY = 0;
    ViewPosition(knee.Shape()->LocalToWorld(Vector(0, 0, 0)), movedX, movedY);
    EXPECT_EQ(movedX, x + 1);
    frame_->DragView(x + 3 + 40, y - 25);
    frame_->ReleaseView();
    const Vector end = knee.Shape()->LocalToWorld(Vector(0, 0, 0));
    C3dVector4 seen = frame_->View().GetViewport()->Transform(end);
    C3dVector4 start = frame_->View().GetViewport()->Transform(at);
    EXPECT_NEAR(seen.x / seen.w - start.x / start.w, 40.0, 1e-2);
    EXPECT_NEAR(seen.y / seen.w - start.y / start.w, -25.0, 1e-2);
    // In the plane facing the camera: the depth (x in the front view) is kept.
    EXPECT_NEAR(end.x, at.x, 1e-4);
    EXPECT_NEAR(Document().bones[1].length, Distance(Document(), 1, 2), 1e-6);
}

TEST_F(SelectionCommands, ARigidJointDraggedStaysOnItsBonesSphere) {
    Start();
    Document().rigidBones = 1;
    JointPart& knee = Document().joints[2];
    const double thigh = Document().bones[1].length;
    int x = 0, y = 0;
    ViewPosition(knee.Shape()->LocalToWorld(Vector(0, 0, 0)), x, y);
    ASSERT_TRUE(frame_->PressView(x, y));
    // Far beyond the thigh's reach and back within it.
    for (int step = 1; step <= 30; ++step) {
        frame_->DragView(x + 8 * step, y - 4 * step);
        EXPECT_NEAR(Distance(Document(), 1, 2), thigh, 1e-4) << step;
    }
    frame_->DragView(x + 20, y - 10);
    frame_->ReleaseView();
    frame_->DragView(0, 0);  // after the release nothing moves
    // Within reach, the knee is under the pointer.
    int endX = 0, endY = 0;
    ViewPosition(knee.Shape()->LocalToWorld(Vector(0, 0, 0)), endX, endY);
    EXPECT_NEAR(endX, x + 20, 1);
    EXPECT_NEAR(endY, y - 10, 1);
    EXPECT_NEAR(Distance(Document(), 1, 2), thigh, 1e-4);
}

TEST_F(SelectionCommands, TheModelIsDraggedOnlyOnceSelectedAndPastAClickSlack) {
    Start();
    C3dShape* model = AddModel();
    Document().joints[0].Shape()->SetPosition(Vector(0, 0, 60), Document().scene);
    int x = 0, y = 0;
    ViewPosition(Vector(-30, 5, -5), x, y);
    const Vector before = model->GetPosition(frame_->Scene());
    EXPECT_FALSE(frame_->PressView(x, y));  // the first press selects
    ASSERT_EQ(frame_->Selection().Shape(), model);
    ASSERT_TRUE(frame_->PressView(x, y));
    frame_->DragView(x + 2, y + 1);  // a shaky click
    ExpectNear(model->GetPosition(frame_->Scene()), before, 1e-9);
    frame_->DragView(x + 30, y);
    frame_->ReleaseView();
    EXPECT_GT(model->GetPosition(frame_->Scene()).y, before.y + 1.0);
    frame_->options.lockPosition = true;
    EXPECT_FALSE(frame_->PressView(x + 30, y));
}

TEST_F(SelectionCommands, TheKeyboardStepsOncePerPressAndHoldingMovesOnAtABoundedSpeed) {
    Start();
    Document().rigidBones = 0;
    C3dShape* knee = Document().joints[2].Shape();
    frame_->Selection().Select(knee);
    const Vector start = JointScenePosition(Document(), &Document().joints[2]);
    auto movedBy = [&] {
        return Vector::Subtract(JointScenePosition(Document(), &Document().joints[2]), start)
            .Length();
    };
    frame_->View().RouteMessage(kMsgKeyDown, kKeyRight, 0);
    for (int step = 0; step < 5; ++step) {
        frame_->OnIdle();
    }
    EXPECT_NEAR(movedBy(), KEY_TAP_STEP, 1e-4);  // one step however long the first press
    frame_->View().RouteMessage(kMsgKeyUp, kKeyRight, 0);
    frame_->OnIdle();
    // Held for a long while: each step moves, and never more than the top speed.
    frame_->View().RouteMessage(kMsgKeyDown, kKeyRight, 0);
    frame_->OnIdle();
    double before = movedBy();
    for (int repeat = 0; repeat < 200; ++repeat) {
        frame_->View().RouteMessage(kMsgKeyDown, kKeyRight, 0);
        frame_->OnIdle();
        const double now = movedBy();
        EXPECT_GT(now, before) << repeat;
        EXPECT_LE(now - before, KEY_TOP_SPEED + 1e-4) << repeat;
        before = now;
    }
    frame_->View().RouteMessage(kMsgKeyUp, kKeyRight, 0);
    frame_->OnIdle();
    EXPECT_NEAR(movedBy(), before, 1e-6);
}

TEST_F(SelectionCommands, SolidToggleFollowsTheShownModel) {
    Start();
    AddModel();
    uint32_t solid = Document().model.solid;
    ASSERT_TRUE(Run(ID_MODEL_SOLID));
    EXPECT_NE(Document().model.solid, solid);
    EXPECT_EQ(frame_->Commands().IsChecked(ID_MODEL_SOLID), Document().model.solid != 0);
    Document().viewGenerated = 1;
    uint32_t generated = Document().generatedModel.solid;
    ASSERT_TRUE(Run(ID_MODEL_SOLID));
    EXPECT_NE(Document().generatedModel.solid, generated);
    EXPECT_NE(Document().model.solid, solid);
}

TEST_F(SelectionCommands, CuttingTheModelStartsANewDocument) {
    Start();
    frame_->Selection().Select(AddModel());
    ASSERT_TRUE(Run(ID_EDIT_CUT));
    EXPECT_EQ(Document().model.Shape(), nullptr);
    EXPECT_EQ(frame_->Selection().Shape(), nullptr);
    EXPECT_EQ(Document().model.mesh.vertexCount, 0);
    // The skeleton is back in the scene after the reset.
    ASSERT_NE(Document().joints[0].Shape(), nullptr);
    EXPECT_EQ(Document().joints[0].Shape()->GetParent(), frame_->Scene());
}

TEST_F(SelectionCommands, RotateTurnsOnlyTheModelOrProp) {
    Start();
    C3dShape* model = AddModel();
    frame_->Selection().Select(model);
    ASSERT_TRUE(Run(ID_MODEL_ROTATE_Z));
    Vector direction, up;
    model->GetOrientation(frame_->Scene(), direction, up);
    ExpectNear(direction, Vector(0, 0, 1));
    ExpectNear(up, Vector(1, 0, 0));  // (0, 1, 0) turns to (1, 0, 0) about z
    frame_->Selection().Select(Document().joints[2].Shape());
    Vector before = Document().joints[2].Shape()->GetPosition();
    ASSERT_TRUE(Run(ID_MODEL_ROTATE_X));
    ExpectNear(Document().joints[2].Shape()->GetPosition(), before);
}

TEST_F(SelectionCommands, FlipRebuildsTheModelAndKeepsItSelected) {
    Start();
    C3dShape* model = AddModel();
    frame_->Selection().Select(model);
    ASSERT_TRUE(Run(ID_MODEL_FLIP_X));
    C3dShape* flipped = Document().model.Shape();
    ASSERT_NE(flipped, nullptr);
    EXPECT_EQ(frame_->Selection().Shape(), flipped);
    EXPECT_EQ(flipped->GetParent(), frame_->Scene());
    Vector lo, hi;
    ASSERT_TRUE(flipped->GetBox(lo, hi));
    EXPECT_NEAR(lo.x, 30.0, 1e-4);
}

TEST_F(SelectionCommands, CameraPresetsAndTheirCheckMarks) {
    Start();
    ASSERT_TRUE(Run(ID_CAMERA_TOP));
    EXPECT_EQ(frame_->cameraView, 4);
    EXPECT_TRUE(frame_->Commands().IsChecked(ID_CAMERA_TOP));
    EXPECT_FALSE(frame_->Commands().IsChecked(ID_CAMERA_FRONT));
    ExpectNear(frame_->Scene()->GetCameraPosition(), Vector(0, 0, 100));
    ExpectNear(frame_->Scene()->GetCameraDirection(), Vector(0, 0, -1));
    ExpectNear(frame_->Scene()->GetCameraUp(), Vector(1, 0, 0));
    ASSERT_TRUE(Run(ID_CAMERA_LEFT));
    ExpectNear(frame_->Scene()->GetCameraPosition(), Vector(0, -100, 0));
    frame_->SetCameraView(9);
    ExpectNear(frame_->Scene()->GetCameraPosition(), Vector(-100, 0, 0));
}

TEST_F(SelectionCommands, DecorationTogglesRedrawTheMarks) {
    Start();
    C3dShape* knee = Document().joints[2].Shape();
    frame_->Selection().Select(knee);
    size_t withBox = knee->GetChildren().size();
    ASSERT_TRUE(Run(ID_VIEW_SELECTION_BOX));
    EXPECT_FALSE(frame_->options.viewSelection);
    EXPECT_FALSE(frame_->Commands().IsChecked(ID_VIEW_SELECTION_BOX));
    EXPECT_EQ(knee->GetChildren().size(), withBox - 1);
    ASSERT_TRUE(Run(ID_VIEW_SELECTION_BOX));
    EXPECT_EQ(knee->GetChildren().size(), withBox);
    ASSERT_TRUE(Run(ID_VIEW_HIT_POINT));
    EXPECT_FALSE(frame_->options.viewHitPoint);
}

TEST_F(SelectionCommands, WhereJointsOverlapAPressTakesTheSelectedThenTheFrontOne) {
    Start();
    // The Top View looks down the spine: the top of the head hides the joints below it.
    ASSERT_TRUE(Run(ID_CAMERA_TOP));
    C3dShape* anchor = Document().joints[0].Shape();
    C3dShape* lowerBack = Document().joints[9].Shape();
    C3dShape* head = Document().joints[28].Shape();
    int x = 0, y = 0, headX = 0, headY = 0;
    ViewPosition(lowerBack->LocalToWorld(Vector(0, 0, 0)), x, y);
    ViewPosition(head->LocalToWorld(Vector(0, 0, 0)), headX, headY);
    ASSERT_LE(std::hypot(headX - x, headY - y), 1.0);
    ASSERT_TRUE(frame_->PressView(x, y));
    frame_->ReleaseView();
    EXPECT_EQ(frame_->Selection().Shape(), head);
    // Selected in another view, a hidden joint is taken and dragged where it is hidden.
    frame_->Selection().Select(lowerBack);
    ASSERT_TRUE(frame_->PressView(x, y));
    EXPECT_EQ(frame_->Selection().Shape(), lowerBack);
    frame_->DragView(x + 10, y);
    frame_->ReleaseView();
    EXPECT_EQ(frame_->Selection().Shape(), lowerBack);
    int movedX = 0, movedY = 0;
    ViewPosition(lowerBack->LocalToWorld(Vector(0, 0, 0)), movedX, movedY);
    EXPECT_NEAR(movedX, x + 10, 1);
    ViewPosition(anchor->LocalToWorld(Vector(0, 0, 0)), movedX, movedY);
    EXPECT_EQ(movedX, x);
}
