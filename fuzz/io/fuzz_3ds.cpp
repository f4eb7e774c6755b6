#include "editor/io/parser_3ds.h"
#include "fuzz_mesh_support.h"

using namespace ::editor::io;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    RawMesh raw;
    if (Parse3ds({data, size}, raw)) {
        StoreForFuzzing(raw);
    }
    return 0;
}
