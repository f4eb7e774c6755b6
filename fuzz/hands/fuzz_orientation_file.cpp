// The orientation reader takes any bytes: it must refuse every length but 48 and every record
// a shape cannot be turned to, and what it accepts must write back to the same floats.
#include <cstdlib>
#include <cstring>

#include "editor/hands/orientation_file.h"

using namespace ::editor::hands;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Orientation orientation;
    if (!ParseOrientation({data, size}, orientation)) {
        return 0;
    }
    if (size != ORIENTATION_FILE_BYTES) {
        std::abort();
    }
    const std::vector<uint8_t> written = SerializeOrientation(orientation);
    Orientation again;
    if (!ParseOrientation(written, again) || !(again.position == orientation.position) ||
        !(again.direction == orientation.direction) || !(again.up == orientation.up)) {
        std::abort();
    }
    return 0;
}
