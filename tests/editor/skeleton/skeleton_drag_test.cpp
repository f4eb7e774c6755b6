#include "editor/skeleton/skeleton_drag.h"

#include <gtest/gtest.h>

#include "tests/editor/skeleton/expect_near.h"

#include <cmath>

#include "tests/editor/skeleton/skeleton_fixture.h"

using namespace ::editor::skeleton;

namespace {
SceneMotion Move(double dx, double dy, double dz) {
    SceneMotion motion;
    motion.dx = dx;
    motion.dy = dy;
    motion.dz = dz;
    return motion;
}

class SkeletonDrag : public SkeletonFixture {
  protected:
    void SetUp() override {
        SkeletonFixture::SetUp();
        StartUp();
    }
    void Drag(int joint, const SceneMotion& motion, bool locked = false) {
        ApplyDrag(*document_, *document_->joints[joint].Shape(), motion, locked);
    }
};
}  // namespace

TEST_F(SkeletonDrag, RigidKneeStaysOnTheThighSphereAndCarriesTheShin) {
    double thigh = document_->bones[1].length;
    double calf = Distance(2, 3);
    for (double step : {0.5, 5.0, 40.0}) {
        Drag(2, Move(step, 0.0, step / 2));
        EXPECT_NEAR(Distance(1, 2), thigh, 1e-4) << step;
        EXPECT_NEAR(Distance(2, 3), calf, 1e-4) << step;
        EXPECT_NEAR(document_->bones[1].length, thigh, 1e-4);
    }
    // The thigh's cylinder follows the knee.
    ExpectNear(document_->bones[1].Shape()->LocalToWorld(Vector(0.0, 0.0, 1.0)), JointAt(2));
}

TEST_F(SkeletonDrag, RigidDragOntoTheParentJointLeavesTheJoint) {
    Vector knee = JointAt(2);
    Vector toHip = Vector::Subtract(JointAt(1), knee);
    Drag(2, Move(toHip.x, toHip.y, toHip.z));
    ExpectNear(JointAt(2), knee, 1e-5);
    EXPECT_FALSE(std::isnan(JointAt(3).x));
}

TEST_F(SkeletonDrag, LooseBonesStretchAndTheHipAnchorMovesEverything) {
    document_->rigidBones = 0;
    Vector knee = JointAt(2);
    Drag(2, Move(0.0, 0.0, -3.0));
    ExpectNear(JointAt(2), Vector::Add(knee, Vector(0.0, 0.0, -3.0)));
    EXPECT_NEAR(document_->bones[1].length, Distance(1, 2), 1e-5);

    document_->rigidBones = 1;
    Vector head = JointAt(28);
    Drag(0, Move(10.0, 0.0, 0.0));
    ExpectNear(JointAt(0), Vector(10.0, 0.0, 0.0));
    ExpectNear(JointAt(28), Vector::Add(head, Vector(10.0, 0.0, 0.0)));
}

TEST_F(SkeletonDrag, TurningABoneOnlyRollsIt) {
    BonePart& thigh = document_->bones[1];
    Vector hip = JointAt(1);
    Vector knee = JointAt(2);
    Vector directionBefore, upBefore;
    thigh.Shape()->GetOrientation(&scene_, directionBefore, upBefore);
    SceneMotion turn;
    turn.rz = 10.0;
    ApplyDrag(*document_, *thigh.Shape(), turn, false);
    Vector direction, up;
    thigh.Shape()->GetOrientation(&scene_, direction, up);
    ExpectNear(direction, directionBefore, 1e-5);
    EXPECT_LT(up.Dot(upBefore), 0.99);
    ExpectNear(JointAt(1), hip, 1e-5);
    ExpectNear(JointAt(2), knee, 1e-5);
    ExpectNear(thigh.Shape()->LocalToWorld(Vector(0.0, 0.0, 1.0)), knee);
}

TEST_F(SkeletonDrag, TurningAJointSwingsWhatHangsBelowIt) {
    Vector knee = JointAt(2);
    double calf = Distance(2, 3);
    SceneMotion turn;
    turn.ry = 15.0;  // 45 degrees
    Drag(2, turn);
    ExpectNear(JointAt(2), knee, 1e-5);
    EXPECT_NEAR(Distance(2, 3), calf, 1e-4);
    EXPECT_GT(std::fabs(JointAt(3).x - knee.x), 1.0);
}

TEST_F(SkeletonDrag, LockedModelStaysWhileOtherObjectsMove) {
    auto model = std::make_unique<C3dShape>();
    model->CreateSphere(5.0, 4);
    document_->model.SetShape(std::move(model));
    scene_.AddChild(document_->model.Shape());
    SceneMotion both = Move(1.0, 2.0, 3.0);
    both.rx = 5.0;
    ApplyDrag(*document_, *document_->model.Shape(), both, true);
    ExpectNear(document_->model.Shape()->GetPosition(&scene_), Vector(0.0, 0.0, 0.0));
    Vector direction, up;
    document_->model.Shape()->GetOrientation(&scene_, direction, up);
    ExpectNear(direction, Vector(0.0, 0.0, 1.0));
    ApplyDrag(*document_, *document_->model.Shape(), both, false);
    ExpectNear(document_->model.Shape()->GetPosition(&scene_), Vector(1.0, 2.0, 3.0));
    Drag(2, Move(0.0, 0.0, -1.0), true);  // joints still follow while locked
    EXPECT_NEAR(Distance(1, 2), document_->bones[1].length, 1e-4);
    scene_.RemoveChild(document_->model.Shape());
}

TEST_F(SkeletonDrag, HipsToOriginCarriesTheModel) {
    auto model = std::make_unique<C3dShape>();
    model->CreateSphere(5.0, 4);
    document_->model.SetShape(std::move(model));
    scene_.AddChild(document_->model.Shape());
    document_->model.Shape()->SetPosition(Vector(1.0, 1.0, 1.0));
    Drag(0, Move(4.0, 0.0, 2.0));
    HipsToOrigin(*document_);
    ExpectNear(JointAt(0), Vector(0.0, 0.0, 0.0));
    ExpectNear(document_->model.Shape()->GetPosition(), Vector(-3.0, 1.0, -1.0));
    scene_.RemoveChild(document_->model.Shape());
}
