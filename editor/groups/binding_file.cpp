#include "editor/groups/binding_file.h"

#include <algorithm>

namespace editor::groups {

using namespace ::editor::model;

namespace {

constexpr uint32_t SET_CLASS_TAG = 0x00441948;
constexpr uint32_t BITS_PER_SET = TriangleSet::SIZE;
static_assert(BITS_PER_SET / 8 == BINDING_RECORD_BITS_BYTES);

void PutWord(std::vector<uint8_t>& out, uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) {
        out.push_back(static_cast<uint8_t>(value >> shift));
    }
}

}  // namespace

std::vector<uint8_t> SerializeBindingFile(const BoneBindings& bindings) {
    std::vector<uint8_t> out;
    out.reserve(BINDING_FILE_BYTES);
    for (const TriangleSet& set : bindings) {
        PutWord(out, SET_CLASS_TAG);
        PutWord(out, 0);  // the storage is not owned by the set object
        PutWord(out, 0);  // storage address: meaningless outside the writer
        PutWord(out, BINDING_RECORD_BITS_BYTES);
        PutWord(out, BITS_PER_SET);
        out.insert(out.end(), set.Bytes(), set.Bytes() + set.ByteCount());
    }
    return out;
}

bool ParseBindingFile(std::span<const uint8_t> bytes, BoneBindings& bindings) {
    if (bytes.size() != BINDING_FILE_BYTES) {
        return false;
    }
    for (int bone = 0; bone < NUM_BONES; ++bone) {
        std::span<const uint8_t> bits = bytes.subspan(
            bone * BINDING_RECORD_BYTES + BINDING_RECORD_HEADER_BYTES, BINDING_RECORD_BITS_BYTES);
        bindings[bone].LoadBytes(bits.data(), bits.size());
    }
    return true;
}

bool ClipBindings(BoneBindings& bindings, int triangleCount) {
    const int first = std::clamp(triangleCount, 0, TriangleSet::SIZE);
    bool clipped = false;
    for (TriangleSet& set : bindings) {
        if (set.FindSetRun(first, 1) >= 0) {
            clipped = true;
            set.ClearRange(first, TriangleSet::SIZE - first);
        }
    }
    return clipped;
}

}  // namespace editor::groups
