#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "bytes/byte_writer.h"
#include "editor/model/pose_vector.h"
#include "editor/model/skeleton_tables.h"

namespace editor::model {

constexpr int POSE_NAME_SIZE = 16;
constexpr int MAX_POSE_NAME_LENGTH = POSE_NAME_SIZE - 1;
constexpr size_t POSE_RECORD_SIZE = 1792;

// Absolute orientation of one bone, radians.
struct PoseAngles {
    double angleX = 0.0;  // roll about the bone's own axis
    double angleY = 0.0;
    double angleZ = 0.0;
};

// One pose: the root position and every bone's orientation, all in pose space.
struct PoseRecord {
    char name[POSE_NAME_SIZE] = {};
    PoseVec startPositions[NUM_BONES] = {};  // entry CENTER_PELVIS_BONE is the root position
    PoseAngles angles[NUM_BONES] = {};
};

// The name as text: up to the first NUL, never more than the 16 stored bytes.
std::string PoseName(const PoseRecord& record);
// Cuts the name to 15 characters and zeroes the bytes after it.
void SetPoseName(PoseRecord& record, const std::string& name);
std::string CutPoseName(const std::string& name);

// Little-endian record layout: name at 0, start positions at 16, angles at 904.
void AppendPoseRecord(::bytes::ByteWriter& out, const PoseRecord& record);
// False, with the record unchanged, when fewer than POSE_RECORD_SIZE bytes are given.
bool ReadPoseRecord(std::span<const uint8_t> in, PoseRecord& record);

}  // namespace editor::model
