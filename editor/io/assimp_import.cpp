#include "editor/io/assimp_import.h"

#include <filesystem>
#include <utility>

#include "editor/io/assimp_model_reader.h"
#include "editor/io/mesh_simplify.h"
#include "editor/io/raw_mesh.h"
#include "editor/io/store_raw_mesh.h"
#include "editor/model/capacities.h"
#include "editor/prompts/prompts.h"

namespace editor::io {

using namespace ::editor::model;
using namespace ::editor::prompts;

namespace {

constexpr std::size_t CAPACITY = MAX_MESH_ELEMENTS;

// Today's refusal of a mesh too heavy for the editor, in the readers' words.
std::string Misfit(const ImportedModel& model) {
    RawMesh raw;
    ToRawMesh(model, raw);
    return CheckRawMeshFits(raw).Reason();
}

}  // namespace

std::string SimplifyQuestion(const std::string& path, const StoredCounts& counts) {
    return "'" + std::filesystem::path(path).filename().string() + "' has " +
           std::to_string(counts.triangles) + " triangles and " + std::to_string(counts.vertices) +
           " vertices; a FlexModel holds " + std::to_string(CAPACITY) +
           " of each. Simplify it to fit?";
}

int ImportThroughAssimp(MeshData& target, const std::string& path, Prompts* questions,
                        ImportReport* report, std::string* refusal) {
    ImportedModel model;
    if (Status read = ReadAssimpModel(path, model); !read) {
        *refusal = read.Reason();
        return -1;
    }
    const std::size_t before = model.TriangleCount();
    if (!FitsCapacity(model, CAPACITY)) {
        if (questions == nullptr ||
            !questions->AskYesNo(SimplifyQuestion(path, CountStored(model)))) {
            *refusal = Misfit(model);
            return -1;
        }
        if (!SimplifyToFit(model, CAPACITY)) {
            *refusal = "it could not be simplified under the capacity (" + Misfit(model) + ")";
            return -1;
        }
    }
    RawMesh raw;
    ToRawMesh(model, raw);
    if (StoreAndFinish(raw, target, refusal) != 0) {
        return -1;
    }
    if (report != nullptr) {
        report->trianglesBefore = before;
        report->trianglesAfter = model.TriangleCount();
        report->rig = std::move(model.rig);
        report->rigPositions = std::move(model.positions);
        report->embeddedSkin = std::move(model.embeddedSkin);
    }
    return 0;
}

}  // namespace editor::io
