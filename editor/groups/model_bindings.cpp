#include "editor/groups/model_bindings.h"

#include <vector>

#include "editor/model/model_document.h"
#include "editor/model/read_back_geometry.h"
#include "editor/model/triangle_group_table.h"
#include "editor/skeleton/bone_stepping.h"
#include "editor/skeleton/file_bytes.h"
#include "editor/skeleton/skeleton_scene.h"
#include "scene/scene.h"

namespace editor::groups {

using namespace ::editor::model;
using namespace ::editor::skeleton;

GuessSkeleton SkeletonForGuess(const ModelDocument& document) {
    GuessSkeleton skeleton;
    for (int j = 0; j < NUM_JOINTS; ++j) {
        skeleton.joints[j] = JointScenePosition(document, &document.joints[j]);
    }
    for (int b = 0; b < NUM_BONES; ++b) {
        skeleton.eligible[b] = IsEligibleBone(document, b);
    }
    return skeleton;
}

BoneBindings CurrentBindings(const ModelDocument& document) {
    BoneBindings bindings;
    for (int b = 0; b < NUM_BONES; ++b) {
        bindings[b] = document.bones[b].boundTriangles;
    }
    return bindings;
}

void SetBindings(ModelDocument& document, const BoneBindings& bindings) {
    for (int b = 0; b < NUM_BONES; ++b) {
        document.bones[b].boundTriangles = bindings[b];
    }
}

GuessOutcome GuessModelBindings(ModelDocument& document, const GrowthStatus& status) {
    MeshPart& model = document.model;
    if (model.Shape() == nullptr) {
        return GuessOutcome::NoModel;
    }
    if (!ReadBackGeometry(*model.Shape(), model.mesh, document.scene, false)) {
        return GuessOutcome::ReadBackFailed;
    }
    TriangleSet assignable;
    if (const TriangleGroupTable* table = model.mesh.groupTable.get()) {
        assignable = table->temporaryGroup;
    }
    BoneBindings bindings = CurrentBindings(document);
    GuessBindings(model.mesh, SkeletonForGuess(document), assignable, bindings, status);
    SetBindings(document, bindings);
    return GuessOutcome::Guessed;
}

BindingFileResult LoadBindingFile(ModelDocument& document, const std::string& path) {
    std::vector<uint8_t> bytes;
    switch (ReadFileOfSize(path, BINDING_FILE_BYTES, bytes)) {
        case FileReadResult::Ok:
            break;
        case FileReadResult::CantOpen:
            return BindingFileResult::CantOpen;
        case FileReadResult::WrongSize:
            return BindingFileResult::NotValid;
        case FileReadResult::OutOfMemory:
        case FileReadResult::CantRead:
            return BindingFileResult::CantRead;
    }
    BoneBindings bindings;
    if (!ParseBindingFile(bytes, bindings)) {
        return BindingFileResult::NotValid;
    }
    const bool clipped = ClipBindings(bindings, document.model.mesh.TriangleCount());
    SetBindings(document, bindings);
    return clipped ? BindingFileResult::Clipped : BindingFileResult::Ok;
}

BindingFileResult SaveBindingFile(const ModelDocument& document, const std::string& path) {
    switch (ReplaceFileContents(path, SerializeBindingFile(CurrentBindings(document)))) {
        case FileWriteResult::Ok:
            return BindingFileResult::Ok;
        case FileWriteResult::CantOpen:
            return BindingFileResult::CantOpen;
        case FileWriteResult::CantWrite:
            return BindingFileResult::CantWrite;
    }
    return BindingFileResult::CantWrite;
}

}  // namespace editor::groups
