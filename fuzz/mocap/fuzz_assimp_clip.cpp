// Feeds any file to the reader of animated scene files; a clip it makes is converted as a whole,
// so the retargeting sees every skeleton and every key the reader lets through.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "editor/mocap/assimp_clip.h"
#include "editor/mocap/mocap_import.h"
#include "fuzz/io/assimp_formats.h"

using namespace ::editor::mocap;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const FuzzFile file = SplitFuzzInput(data, size);
    if (file.bytes.empty()) {
        return 0;
    }
    BvhClip clip;
    if (!ReadAssimpClip(file.bytes, file.extension, "", clip)) {
        return 0;
    }
    BoneLengths lengths;
    DefaultBoneLengths(lengths);
    MocapOptions options;
    options.baseName = "fuzz";
    (void)ConvertClip(clip, options, lengths);
    return 0;
}
