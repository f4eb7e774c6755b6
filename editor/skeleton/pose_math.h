#pragma once

#include "editor/model/pose_record.h"
#include "editor/model/pose_vector.h"
#include "editor/model/skeleton_tables.h"

namespace editor::skeleton {

using namespace ::editor::model;

// Bone lengths, one per bone, in bone index order.
using BoneLengths = double[NUM_BONES];

// R_b = Ry(angleY) . Rz(angleZ) . Rx(angleX); a bone points along R_b . (L, 0, 0).
Rotation3 PoseRotation(const PoseAngles& angles);
// Rx(-angleX) . Rz(-angleZ) . Ry(-angleY): takes pose space into the bone's own axes.
Rotation3 InversePoseRotation(const PoseAngles& angles);

PoseVec PoseRollVector(const PoseRecord& record, int bone);
PoseVec PoseJointPosition(const PoseRecord& record, const BoneLengths& lengths, int joint);
// All 38 joint positions at once, parents first; equal to PoseJointPosition joint by joint.
void PoseJointPositions(const PoseRecord& record, const BoneLengths& lengths,
                        PoseVec positions[NUM_JOINTS]);

// The lengths the record's start positions imply; bones whose end joint starts no bone keep
// their default length.
void BoneLengthsFromPose(const PoseRecord& record, BoneLengths& lengths);
void DefaultBoneLengths(BoneLengths& lengths);

// Scale that brings the current legs to the default leg height; fills the scaled lengths.
double LegHeightRatio(const BoneLengths& current, BoneLengths& scaled);

// Angles of a bone running along `direction` with roll vector `up` (both pose space; up
// normalised). Inverts PoseRotation up to rounding.
PoseAngles CaptureBoneAngles(const PoseVec& direction, const PoseVec& up);

// Stores one bone of a capture: its start position and the angles of start -> end with the
// given roll vector (all pose space).
void CaptureBone(PoseRecord& record, int bone, const PoseVec& start, const PoseVec& end,
                 const PoseVec& up);

// Rebuilds every start position from the root and the angles at the given lengths, so the
// record carries those proportions.
void NormalizeStartPositions(PoseRecord& record, const BoneLengths& lengths);

// The skeleton of the built-in offsets: root at the origin, each joint at its parent plus
// its table offset.
void BuiltInJointPositions(PoseVec positions[NUM_JOINTS]);
PoseVec BuiltInRollVector(int bone);
// The skeleton placed from a stored default pose: each joint from its own bone's stored
// start position and default length (not chained).
void DefaultPoseJointPositions(const PoseRecord& record, PoseVec positions[NUM_JOINTS]);

}  // namespace editor::skeleton
