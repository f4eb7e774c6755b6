#include "editor/groups/binding_file.h"

#include <algorithm>

#include "bytes/byte_writer.h"

namespace editor::groups {

using namespace ::bytes;
using namespace ::editor::model;

namespace {

constexpr uint32_t SET_CLASS_TAG = 0x00441948;
constexpr uint32_t BITS_PER_SET = TriangleSet::SIZE;
static_assert(BITS_PER_SET / 8 == BINDING_RECORD_BITS_BYTES);

}  // namespace

std::vector<uint8_t> SerializeBindingFile(const BoneBindings& bindings) {
    ByteWriter out;
    for (const TriangleSet& set : bindings) {
        out.AppendUint32(SET_CLASS_TAG);
        out.AppendUint32(0);  // the storage is not owned by the set object
        out.AppendUint32(0);  // storage address: meaningless outside the writer
        out.AppendUint32(BINDING_RECORD_BITS_BYTES);
        out.AppendUint32(BITS_PER_SET);
        out.AppendBytes(std::span(set.Bytes(), static_cast<std::size_t>(set.ByteCount())));
    }
    return out.Take();
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
