// "refskel.bin" read back for a frame count: the first byte picks the count, the rest is the
// file. Every bone of every accepted frame is copied out.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "editor/export/reference_points.h"

using namespace ::editor::flexexport;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) {
        return 0;
    }
    const int frameCount = static_cast<int8_t>(data[0]);
    RefSkelFrames frames;
    if (!frames.Take(std::vector<uint8_t>(data + 1, data + size), frameCount)) {
        return 0;
    }
    ByteWriter out;
    for (int frame = 0; frame < frameCount; ++frame) {
        for (int bone = 0; bone < NUM_BONES; ++bone) {
            frames.AppendBonePoints(out, frame, bone);
        }
    }
    return 0;
}
