#pragma once
// A clip, or a file's list of takes, as bytes and back, for a clip read in another process:
// the reading side trusts nothing it receives, so a damaged stream is refused, never followed.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "editor/mocap/bvh_clip.h"

namespace editor::mocap {

std::vector<uint8_t> ClipToBytes(const BvhClip& clip);
// False when the bytes are not a whole, consistent clip (parents before children, channels
// within a row, as many values as rows of them).
bool ClipFromBytes(std::span<const uint8_t> bytes, BvhClip& clip);

std::vector<uint8_t> NamesToBytes(const std::vector<std::string>& names);
bool NamesFromBytes(std::span<const uint8_t> bytes, std::vector<std::string>& names);

}  // namespace editor::mocap
