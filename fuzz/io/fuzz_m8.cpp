#include "editor/io/image_file.h"
#include "scene/image.h"

using namespace ::editor::io;
using namespace ::scene;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    C3dImage image;
    if (ReadM8(image, {data, size})) {
        ToTrueColour(image);
    }
    return 0;
}
