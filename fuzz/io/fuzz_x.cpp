// Feeds any file to the DirectX reader (assimp in this process) and stores the mesh it gives in
// a document-sized mesh, so the capacity checks and the finishing step see whatever a file held.
#include "editor/io/x_reader.h"
#include "fuzz_mesh_support.h"

using namespace ::editor::io;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    XMesh x;
    if (ReadXMesh({data, size}, x)) {
        StoreForFuzzing(x.mesh);
    }
    return 0;
}
