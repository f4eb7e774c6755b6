// The binding-file reader takes any bytes: it must refuse every length but one file's, take
// only the bit bytes, and write back exactly the bits it read.
#include <cstdlib>
#include <cstring>

#include "editor/groups/binding_file.h"

using namespace ::editor::groups;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    BoneBindings bindings;
    if (!ParseBindingFile({data, size}, bindings)) {
        return 0;
    }
    ClipBindings(bindings, static_cast<int>(size % 2049));
    const std::vector<uint8_t> written = SerializeBindingFile(bindings);
    BoneBindings again;
    if (!ParseBindingFile(written, again)) {
        std::abort();
    }
    for (int bone = 0; bone < NUM_BONES; ++bone) {
        if (!again[bone].Equals(bindings[bone])) {
            std::abort();
        }
    }
    return 0;
}
