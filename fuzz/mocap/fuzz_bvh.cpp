// Feeds arbitrary text to the BVH reader; a clip it accepts is converted as a whole, so the
// retargeting sees every hierarchy and every row the reader lets through.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "editor/mocap/bvh_reader.h"
#include "editor/mocap/mocap_import.h"

using namespace ::editor::mocap;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    BvhClip clip;
    BvhError error;
    if (!ReadBvh(std::string_view(reinterpret_cast<const char*>(data), size), clip, error)) {
        return 0;
    }
    BoneLengths lengths;
    DefaultBoneLengths(lengths);
    MocapOptions options;
    options.baseName = "fuzz";
    options.keepRootMotion = size % 2 == 0;
    (void)ConvertClip(clip, options, lengths);
    return 0;
}
