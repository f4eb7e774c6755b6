#include "editor/hands/closed_hand_bones.h"

#include "editor/model/model_document.h"
#include "editor/skeleton/skeleton_posing.h"
#include "editor/skeleton/skeleton_scene.h"
#include "scene/scene.h"
#include "scene/shape.h"

namespace editor::hands {

using namespace ::editor::model;
using namespace ::editor::skeleton;
using namespace ::scene;

namespace {

void PlaceGrip(ModelDocument& document, const HandSide& side) {
    const Vector wrist = JointScenePosition(document, &document.joints[side.wristJoint]);
    const Vector fingertips = JointScenePosition(document, &document.joints[side.fingertipsJoint]);
    JointPart& grip = document.joints[side.gripJoint];
    grip.position =
        Vector::Add(wrist, Vector::Scaled(Vector::Subtract(fingertips, wrist), GRIP_FRACTION));
    if (grip.Shape() != nullptr) {
        grip.Shape()->SetPosition(grip.position, document.scene);
    }
}

}  // namespace

void PlaceClosedHand(ModelDocument& document, const HandSide& side) {
    PlaceGrip(document, side);
    BonePart& closed = document.bones[side.closedHandBone];
    // The bone hangs below the grip in the scene and moved with it; it starts at the wrist.
    closed.position = JointScenePosition(document, &document.joints[side.wristJoint]);
    AimBone(document, document.joints[side.gripJoint]);
    const BonePart& open = document.bones[side.openHandBone];
    if (open.Shape() != nullptr) {
        open.Shape()->GetOrientation(document.scene, closed.direction, closed.up);
    } else {
        closed.direction = open.direction;
        closed.up = open.up;
    }
    PlaceBone(closed);
}

}  // namespace editor::hands
