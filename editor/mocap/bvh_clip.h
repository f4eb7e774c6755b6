#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "editor/model/pose_vector.h"

namespace editor::mocap {

using namespace ::editor::model;

// What a BVH file holds: a joint hierarchy with rest offsets and channels, then one row of
// channel values per frame. Offsets and positions are in the clip's own axes and units,
// rotations in degrees.

enum class BvhChannel : uint8_t {
    Xposition,
    Yposition,
    Zposition,
    Xrotation,
    Yrotation,
    Zrotation
};

constexpr int MAX_BVH_CHANNELS_PER_JOINT = 6;

struct BvhJoint {
    std::string name;
    int parent = -1;  // -1 for the root; parents come before their children
    PoseVec offset;   // from the parent joint in the rest pose
    int channelCount = 0;
    BvhChannel channels[MAX_BVH_CHANNELS_PER_JOINT] = {};
    int firstChannel = 0;  // index of its first value within a frame row
    bool hasEndSite = false;
    PoseVec endSite;  // offset of the end site from this joint
};

struct BvhClip {
    std::vector<BvhJoint> joints;
    int channelsPerFrame = 0;
    int frameCount = 0;
    double frameTime = 0.0;      // seconds between rows
    std::vector<double> values;  // frameCount rows of channelsPerFrame values

    const double* Row(int frame) const {
        return values.data() + static_cast<size_t>(frame) * static_cast<size_t>(channelsPerFrame);
    }
    // Index of the joint of that exact name, or -1.
    int FindJoint(const std::string& name) const;
};

}  // namespace editor::mocap
