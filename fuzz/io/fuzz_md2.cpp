#include "editor/io/md2_layout.h"
#include "fuzz_mesh_support.h"

using namespace ::editor::io;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto layout = Md2Layout({data, size});
    if (layout) {
        ReadQuakeFramesForFuzzing(*layout);
    }
    return 0;
}
