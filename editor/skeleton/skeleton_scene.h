#pragma once

#include <cstdint>

#include "editor/model/pose_vector.h"
#include "editor/model/skeleton_tables.h"
#include "scene/vector.h"

#include "editor/model/forward.h"
#include "scene/forward.h"

namespace editor::skeleton {

using namespace ::editor::model;
using namespace ::scene;

class Posing;

constexpr double JOINT_RADIUS = 1.0;
constexpr int JOINT_SPHERE_BANDS = 8;
constexpr double BONE_RADIUS = 0.3;
constexpr int BONE_SIDES = 8;

// Display space shows pose space with X negated.
Vector DisplayFromPose(const PoseVec& p);
PoseVec PoseFromDisplay(const Vector& v);

// Shows every joint and bone listed (white), connecting (blue) or off (black) from the
// document's active mesh nodes.
void UpdateActivation(ModelDocument& document);
void SetActiveNodes(ModelDocument& document, const uint32_t flags[NUM_MESH_NODES]);
void GetActiveNodes(const ModelDocument& document, uint32_t flags[NUM_MESH_NODES]);

// Creates the 38 joint spheres and 37 bone cylinders from the default pose, or from the
// built-in offsets when there is none yet (which then becomes the default pose); then the
// dividing plane's shape.
void BuildSkeleton(Posing& posing);

// Hangs each joint under its parent joint (the root under `root`) and each bone under its end
// joint, so moving a joint carries everything below it; the dividing plane goes under `root`.
void LinkSkeleton(ModelDocument& document, C3dFrame& root);
// Takes the dividing plane, the bones (index order) and then the joints (backward walk) out of
// the scene.
void UnlinkSkeleton(ModelDocument& document);

// Where a joint is relative to the document's scene (display space): its shape's position,
// or its stored position while it has no shape.
Vector JointScenePosition(const ModelDocument& document, const JointPart* joint);
// Sets a bone up from its joints: length, position, direction (joints that coincide give a
// tiny bone pointing up), the given up vector; then places its shape.
void SetUpBoneFromJoints(const ModelDocument& document, BonePart& bone, const Vector& up);

// Places, orients and stretches a bone's shape from its position, direction, up and length.
void PlaceBone(BonePart& bone);
// Stretches a bone's cylinder along its axis to `length` without moving or turning it.
void ScaleBoneShape(BonePart& bone, double length);

}  // namespace editor::skeleton
