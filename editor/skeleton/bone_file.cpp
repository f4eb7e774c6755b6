#include "editor/skeleton/bone_file.h"

#include "editor/model/pose_record.h"

namespace editor::skeleton {

using namespace ::editor::model;

std::vector<uint8_t> SerializeBoneLengths(const BoneLengths& lengths) {
    std::vector<uint8_t> bytes(BONE_FILE_SIZE, 0);
    for (int b = 0; b < NUM_BONES; ++b) {
        WriteLittleDouble(lengths[b], bytes.data() + 8 * b);
    }
    return bytes;
}

void ParseBoneLengths(const std::vector<uint8_t>& bytes, BoneLengths& lengths) {
    for (int b = 0; b < NUM_BONES; ++b) {
        lengths[b] = ReadLittleDouble(bytes.data() + 8 * b);
    }
}

bool BoneLengthsInRange(const BoneLengths& lengths) {
    for (double length : lengths) {
        if (!(length > 0.0) || length > MAX_BONE_FILE_LENGTH) {
            return false;
        }
    }
    return true;
}

}  // namespace editor::skeleton
