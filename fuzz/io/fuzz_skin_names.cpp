// The skin names every mesh format gives, read from the same bytes in each form.
#include "editor/io/skin_names.h"

using namespace ::editor::io;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const uint8_t> bytes(data, size);
    QuakeSkinNames(bytes, false);
    QuakeSkinNames(bytes, true);
    MaterialMaps3ds(bytes);
    ObjMaterialLibraries(bytes);
    MtlDiffuseMaps(bytes);
    return 0;
}
