#include "editor/skeleton/bone_file.h"

#include "bytes/byte_reader.h"
#include "bytes/byte_writer.h"
#include "editor/model/pose_record.h"

namespace editor::skeleton {

using namespace ::bytes;
using namespace ::editor::model;

std::vector<uint8_t> SerializeBoneLengths(const BoneLengths& lengths) {
    ByteWriter out;
    for (double length : lengths) {
        out.AppendDouble(length);
    }
    return out.Take();
}

void ParseBoneLengths(const std::vector<uint8_t>& bytes, BoneLengths& lengths) {
    const ByteReader in(bytes);
    for (int b = 0; b < NUM_BONES; ++b) {
        // A missing length reads as 0, which BoneLengthsInRange refuses.
        lengths[b] = in.Double(8 * std::size_t(b)).value_or(0.0);
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
