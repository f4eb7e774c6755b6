#pragma once
// The binding file (.bnd): the bound triangles of the 37 bones, one stored triangle set of
// 276 bytes per bone in bone order, no header, 10212 bytes in all.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "editor/model/fixed_bit_sets.h"
#include "editor/model/skeleton_tables.h"

namespace editor::groups {

using namespace ::editor::model;

// Five little-endian words (class tag, storage-owned flag, storage address, byte count, bit
// count) and the 256 bytes of bits.
inline constexpr std::size_t BINDING_RECORD_HEADER_BYTES = 20;
inline constexpr std::size_t BINDING_RECORD_BITS_BYTES = 256;
inline constexpr std::size_t BINDING_RECORD_BYTES =
    BINDING_RECORD_HEADER_BYTES + BINDING_RECORD_BITS_BYTES;
inline constexpr std::size_t BINDING_FILE_BYTES = BINDING_RECORD_BYTES * NUM_BONES;
static_assert(BINDING_FILE_BYTES == 10212);

inline constexpr const char* BINDING_FILE_FILTER =
    "Marionet Binding Files (*.bnd)|*.bnd|All Files (*.*)|*.*||";
inline constexpr const char* BINDING_FILE_EXTENSION = "bnd";

using BoneBindings = std::array<TriangleSet, NUM_BONES>;

// The file's bytes for these bindings.
std::vector<uint8_t> SerializeBindingFile(const BoneBindings& bindings);
// Takes the bit bytes of each record; everything else in a record is ignored. False, with
// bindings unchanged, unless bytes is exactly one file long.
bool ParseBindingFile(std::span<const uint8_t> bytes, BoneBindings& bindings);
// Clears every bit at or above triangleCount; true when one was set.
bool ClipBindings(BoneBindings& bindings, int triangleCount);

}  // namespace editor::groups
