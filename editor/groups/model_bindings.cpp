#include "editor/groups/model_bindings.h"

#include <vector>

#include "bytes/replace_file.h"
#include "bytes/whole_file.h"

#include "editor/model/file_messages.h"
#include "editor/model/model_document.h"
#include "editor/model/read_back_geometry.h"
#include "editor/model/triangle_group_table.h"
#include "editor/skeleton/bone_stepping.h"
#include "editor/skeleton/skeleton_scene.h"
#include "scene/scene.h"

namespace editor::groups {

using namespace ::bytes;
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

Result<bool> LoadBindingFile(ModelDocument& document, const std::string& path) {
    const std::string notValid = "'" + path + "' does not appear to be a valid .bnd file.";
    std::vector<uint8_t> bytes;
    const Status read = ReadFileOfSize(path, BINDING_FILE_BYTES, bytes);
    if (!read) {
        Trace(read);
        switch (read.Kind()) {
            case Failure::CantOpen:
                return Status::Refuse(CantOpenMessage(path));
            case Failure::WrongSize:
            case Failure::TooLarge:
                return Status::Refuse(notValid);
            default:
                return Status::Refuse("Can't read binding data from '" + path + "'.");
        }
    }
    BoneBindings bindings;
    if (!ParseBindingFile(bytes, bindings)) {
        return Status::Refuse(notValid);
    }
    const bool clipped = ClipBindings(bindings, document.model.mesh.TriangleCount());
    SetBindings(document, bindings);
    return clipped;
}

Status SaveBindingFile(const ModelDocument& document, const std::string& path) {
    const Status written = ReplaceFile(path, SerializeBindingFile(CurrentBindings(document)));
    if (written) {
        return written;
    }
    Trace(written);
    return Status::Refuse(written.Kind() == Failure::CantOpen
                              ? CantOpenMessage(path)
                              : "Can't write binding data to '" + path + "'.");
}

}  // namespace editor::groups
