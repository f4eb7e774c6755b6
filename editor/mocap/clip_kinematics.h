#pragma once

#include <vector>

#include "editor/mocap/bvh_clip.h"

namespace editor::mocap {

// Where every joint of a clip is in one frame, in the clip's own axes.
struct ClipFrame {
    std::vector<PoseVec> positions;    // joint origins
    std::vector<Rotation3> rotations;  // each joint's rotation from its rest orientation
};

// Rotation of a BVH channel: counter-clockwise (right-handed) about its axis, in degrees.
Rotation3 ChannelRotation(BvhChannel channel, double degrees);

// Poses the clip with one row of values; with no row, its rest pose (every channel zero).
void PoseClip(const BvhClip& clip, const double* row, ClipFrame& frame);

// Where a joint's end site is in that frame; the joint's origin when it has none.
PoseVec EndSitePosition(const BvhClip& clip, const ClipFrame& frame, int joint);

}  // namespace editor::mocap
