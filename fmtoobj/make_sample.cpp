// Writes the bundled sample FlexModel, or with --capacity a file at the format's capacity.
// Usage: fmtoobj_make_sample [--capacity] out.fm

#include <cstdio>
#include <string_view>

#include "bytes/replace_file.h"
#include "fmtoobj/sample_models.h"

using namespace ::bytes;
using namespace ::fmtoobj;

int main(int argc, char** argv) {
    bool capacity = argc == 3 && std::string_view(argv[1]) == "--capacity";
    if (argc != 2 && !capacity) {
        std::fprintf(stderr, "usage: %s [--capacity] out.fm\n", argv[0]);
        return 2;
    }
    const char* path = argv[argc - 1];
    std::vector<uint8_t> bytes = BuildFlexModel(capacity ? CapacityModel() : SampleModel());
    if (!ReplaceFile(path, bytes)) {
        std::fprintf(stderr, "can't write %s\n", path);
        return 1;
    }
    std::printf("Wrote %s (%zu bytes)\n", path, bytes.size());
    return 0;
}
