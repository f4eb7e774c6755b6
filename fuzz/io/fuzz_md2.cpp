#include <string>
#include <vector>

#include "editor/io/md2_layout.h"
#include "editor/io/quake_model.h"
#include "fuzz_mesh_support.h"

// Lists the frames, then reads the first and the last by name.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto layout = Md2Layout({data, size});
    if (!layout) {
        return 0;
    }
    std::vector<std::string> names;
    ListQuakeFrames(*layout, names);
    for (const std::string& name :
         {std::string(), names.empty() ? std::string("x") : names.back()}) {
        RawMesh raw;
        if (ReadQuakeFrame(*layout, name, raw)) {
            StoreForFuzzing(raw);
        }
    }
    return 0;
}
