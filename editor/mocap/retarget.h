#pragma once

#include <string>

#include "editor/mocap/clip_kinematics.h"
#include "editor/mocap/joint_conventions.h"
#include "editor/model/pose_record.h"
#include "editor/skeleton/pose_math.h"

namespace editor::mocap {

using namespace ::editor::model;
using namespace ::editor::skeleton;

// Turns frames of a clip into poses of the player skeleton at given bone lengths.
//
// The clip's rest pose fixes the axes: up is its +Y, left runs from the right hip to the left
// hip on the ground, forward is left x up; pose space takes them as +Z, +Y and +X. Every
// player bone with a source points along its source segment with the player's own length; its
// roll turns with the joint that carries the segment. Bones without a source keep the turn
// they have against their parent in the player's rest pose.
//
// The hips' path is scaled by the ratio of the player's leg height to the clip's; the lowest
// the toes reach in the clip is its ground, which lands where the player's toes are in the
// rest pose. The horizontal path starts at the origin and is kept only on request.
class Retargeter {
  public:
    // Refused with the reason when the clip cannot drive the player.
    Status Prepare(const BvhClip& clip, const BoneLengths& lengths);

    // The pose of one frame row (name left empty).
    void MakePose(const double* row, bool keepRootMotion, PoseRecord& record) const;

    const SkeletonMap& Map() const { return map_; }
    // Clip axes to pose space.
    const Rotation3& ToPoseSpace() const { return toPose_; }
    double RootScale() const { return rootScale_; }
    // Whether a player bone follows a source segment in every frame.
    bool IsMapped(int bone) const { return mapped_[bone]; }

  private:
    Status FindAxes(const ClipFrame& rest);
    Status FindRootScale(const ClipFrame& rest);
    void FindGround();
    void PrepareBoneFrames(const ClipFrame& rest);
    PoseVec PointInPose(const ClipFrame& frame, const SourcePoint& point) const;
    Rotation3 DriverRotation(const ClipFrame& frame, int playerJoint) const;
    PoseVec RootPosition(const ClipFrame& frame, bool keepRootMotion) const;

    const BvhClip* clip_ = nullptr;
    SkeletonMap map_;
    Rotation3 toPose_;
    BoneLengths lengths_ = {};
    bool mapped_[NUM_BONES] = {};
    // Per mapped bone: the player's rest roll made square to the clip's rest segment.
    PoseVec restRoll_[NUM_BONES];
    // Per bone without a source: its rest frame relative to its parent's (or the hips').
    Rotation3 relativeToParent_[NUM_BONES];
    double rootScale_ = 1.0;
    double playerLegHeight_ = 0.0;
    double groundHeight_ = 0.0;  // clip's up axis
    PoseVec firstRoot_;          // pose space, unscaled
};

}  // namespace editor::mocap
