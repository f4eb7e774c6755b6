#include "editor/io/fm_layout.h"
#include "fuzz_mesh_support.h"

using namespace ::editor::io;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto layout = FmLayout({data, size}, true);
    if (layout) {
        ReadQuakeFramesForFuzzing(*layout);
    }
    return 0;
}
