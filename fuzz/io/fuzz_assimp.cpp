// Feeds any file to the reader of every format assimp knows, as "Open..." does: a model that
// comes in is simplified under the capacity when it is over it and stored in a document-sized
// mesh, so the weld, the simplifier and the capacity checks see whatever a file held.
#include "assimp_formats.h"
#include "editor/io/assimp_model_reader.h"
#include "editor/io/mesh_simplify.h"
#include "editor/io/raw_mesh.h"
#include "fuzz_mesh_support.h"

using namespace ::editor::io;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const FuzzFile file = SplitFuzzInput(data, size);
    if (file.bytes.empty()) {
        return 0;
    }
    ImportedModel model;
    if (!ReadAssimpModel(file.bytes, file.extension, model)) {
        return 0;
    }
    if (!FitsCapacity(model, MAX_MESH_ELEMENTS)) {
        SimplifyToFit(model, MAX_MESH_ELEMENTS);
    }
    RawMesh raw;
    ToRawMesh(model, raw);
    StoreForFuzzing(raw);
    return 0;
}
