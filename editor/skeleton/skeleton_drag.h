#pragma once

#include <optional>

#include "editor/skeleton/drag_math.h"

#include "editor/model/forward.h"
#include "scene/forward.h"

namespace editor::skeleton {

using namespace ::scene;
using namespace ::editor::model;

// Moves and turns one object of the scene by a controller step, in scene coordinates:
//  - a joint moves (on the sphere around its parent joint with rigid bones), turns what hangs
//    below it, and re-aims the bone ending at it;
//  - a bone only rolls about its own axis;
//  - anything else moves and turns freely, except the model while its position is locked.
void ApplyDrag(ModelDocument& document, C3dFrame& object, const SceneMotion& motion,
               bool lockPosition);

// The sphere a dragged joint stays on with "Rigid Bones" on: around the joint its bone starts
// at, as wide as the bone is long (scene coordinates). Nothing while bones are not rigid or for
// the root, which ends no bone.
struct JointSphere {
    PoseVec centre;
    double radius = 0.0;
};
std::optional<JointSphere> RigidSphereOf(const ModelDocument& document, const JointPart& joint);

// Moves the hip anchor to the origin and the model along with it, so the skeleton keeps its
// place on the model.
void HipsToOrigin(ModelDocument& document);

}  // namespace editor::skeleton
