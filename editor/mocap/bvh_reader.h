#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "editor/mocap/bvh_clip.h"

namespace editor::mocap {

// Limits of what a clip may hold; counts in a file are checked against these and against
// what the file really contains before anything is sized by them.
constexpr int MAX_BVH_JOINTS = 512;
constexpr int MAX_BVH_FRAMES = 500000;
constexpr size_t MAX_BVH_VALUES = 16u * 1024u * 1024u;
constexpr size_t MAX_BVH_NAME_LENGTH = 256;
// Offsets, positions and angles beyond this are no motion capture and would overflow later.
constexpr double MAX_BVH_MAGNITUDE = 1.0e7;

// Where and why a file was refused.
struct BvhError {
    int line = 0;
    std::string message;
};

// Reads BVH text: HIERARCHY with one ROOT, JOINTs and End Sites, each joint with OFFSET and
// CHANNELS (3 or 6 of the six channel names in any order), then MOTION with "Frames:",
// "Frame Time:" and the frame rows. False, with the line and the reason, for anything else.
bool ReadBvh(std::string_view text, BvhClip& clip, BvhError& error);

// "'walk.bvh' line 12: CHANNELS expects 3 or 6 names".
std::string BvhErrorText(const std::string& path, const BvhError& error);

}  // namespace editor::mocap
