#pragma once
// Opening a file through assimp: read, offered the simplification when it is heavier than a
// FlexModel holds, and stored in the editor's mesh.

#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "editor/io/imported_model.h"
#include "editor/model/forward.h"
#include "editor/prompts/prompts.h"

namespace editor::io {

using namespace ::editor::model;
using namespace ::editor::prompts;


// What opening a file did beyond the mesh: whether it was simplified, and the file's own
// skeleton with the skin weights of each vertex kept.
struct ImportReport {
    std::size_t trianglesBefore = 0;
    std::size_t trianglesAfter = 0;
    SourceRig rig;
    // Where each vertex of rig.influences is, in the mesh's coordinates.
    std::vector<std::array<float, 3>> rigPositions;
    std::vector<uint8_t> embeddedSkin;

    bool Simplified() const { return trianglesAfter < trianglesBefore; }
};

// "'NAME' has N triangles and M vertices; a FlexModel holds 2048 of each. Simplify it to fit?"
std::string SimplifyQuestion(const std::string& path, const StoredCounts& counts);

// Reads the file with assimp into target and finishes the import. A model over the capacity
// asks the question above (without anyone to ask, or on No, it is refused as before). 0 on
// success; -1 with the reason in refusal.
int ImportThroughAssimp(MeshData& target, const std::string& path, Prompts* questions,
                        ImportReport* report, std::string* refusal);

}  // namespace editor::io
