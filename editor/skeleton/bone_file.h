#pragma once

#include <cstdint>
#include <vector>

#include "editor/skeleton/pose_math.h"

namespace editor::skeleton {

// Bone-length file: the 37 lengths as little-endian doubles, nothing else.
constexpr size_t BONE_FILE_SIZE = NUM_BONES * 8;
constexpr double MAX_BONE_FILE_LENGTH = 64.0;

std::vector<uint8_t> SerializeBoneLengths(const BoneLengths& lengths);
// Reads exactly BONE_FILE_SIZE bytes; the caller checks the size first.
void ParseBoneLengths(const std::vector<uint8_t>& bytes, BoneLengths& lengths);
// Every length must lie in (0, 64]; NaN fails too.
bool BoneLengthsInRange(const BoneLengths& lengths);

}  // namespace editor::skeleton
