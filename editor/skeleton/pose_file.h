#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "editor/model/pose_record.h"

namespace editor::skeleton {

using namespace ::editor::model;

// Pose file: int32 count (>= 1), int32 version 4, then `count` records of 1792 bytes.
constexpr int32_t POSE_FILE_VERSION = 4;
constexpr size_t POSE_FILE_HEADER_SIZE = 8;

// False for a wrong version, a count below 1, or a count that promises more records than
// the bytes hold.
bool ParsePoseFile(const std::vector<uint8_t>& bytes, std::vector<PoseRecord>& records);
std::vector<uint8_t> SerializePoseFile(const std::vector<PoseRecord>& records);

// "walk12" -> ("walk", 12); "walk" -> ("walk", 0); "12" -> ("1", 2); "" -> ("", 0).
void SplitFrameName(const std::string& name, std::string& base, long long& number);

// Index of the record named exactly `name`, or -1.
int FindFrame(const std::vector<PoseRecord>& records, const std::string& name);
// Where a new frame goes: after the frames of its base name with a number not above its
// own; a new base name goes to the end.
size_t FrameInsertionIndex(const std::vector<PoseRecord>& records, const std::string& name);

}  // namespace editor::skeleton
