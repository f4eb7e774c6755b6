#include "editor/io/obj_parser.h"
#include "fuzz_mesh_support.h"

using namespace ::editor::io;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    RawMesh raw;
    if (ParseObj({data, size}, raw)) {
        StoreForFuzzing(raw);
    }
    return 0;
}
