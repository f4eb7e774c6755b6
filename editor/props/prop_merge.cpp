#include "editor/props/prop_merge.h"

#include <utility>

#include "editor/model/model_document.h"
#include "editor/props/merge_notes.h"
#include "editor/props/mesh_append.h"
#include "editor/props/skin_remap.h"
#include "scene/scene.h"
#include "scene/shape.h"

namespace editor::props {

using namespace ::editor::model;
using namespace ::scene;

namespace {

enum class TextureStep {
    Unchanged,  // no overlap: both skins stay where they are
    Accepted,   // coordinates will be moved as the regions say
    Refused,
};

bool ConfirmNote(Prompts& prompts, const std::string& note) {
    prompts.ReportProgress(note);
    return prompts.AskOkCancel(note);
}

bool ConfirmRegions(const ModelDocument& document, const MergedProp& entry, Prompts& prompts) {
    // A model without triangles has no skin to move; its bounds are only the empty start values.
    const bool modelHasSkin = document.model.mesh.TriangleCount() > 0;
    if (modelHasSkin &&
        !ConfirmNote(prompts, ModelSkinNote(document.model.mesh, entry.modelRegion))) {
        return false;
    }
    return ConfirmNote(prompts, PropSkinNote(document.prop.mesh, entry.propRegion));
}

TextureStep DecideTextureStep(ModelDocument& document, MergedProp& entry, Prompts& prompts) {
    if (!TexturesOverlap(document.model.mesh, document.prop.mesh)) {
        return TextureStep::Unchanged;
    }
    bool accepted;
    if (prompts.AskOkCancel(
            "The model and prop textures overlap. Do you want Marionet to try to remap them?")) {
        accepted = RemapSkins(document, entry.modelRegion, entry.propRegion) != 0;
    } else {
        accepted = prompts.AskOkCancel(
            "Do you want Marionet to merge the prop and model using their current texture "
            "maps?");
    }
    return accepted && ConfirmRegions(document, entry, prompts) ? TextureStep::Accepted
                                                                : TextureStep::Refused;
}

void FillEntry(const ModelDocument& document, MergedProp& entry) {
    entry.Reset();
    SetRegionFromBounds(document.model.mesh, entry.modelRegion);
    SetRegionFromBounds(document.prop.mesh, entry.propRegion);
    entry.propRegion.meshName = document.prop.shape->GetName();
}

// The prop's shape leaves the scene; the model's is rebuilt from the merged mesh. The merged
// vertices are in scene coordinates, so the new shape sits at the scene's origin.
void ReplaceShapes(ModelDocument& document) {
    MeshPart& model = document.model;
    const std::string fallbackName = document.prop.shape->GetName();
    document.prop.ReleaseShape();
    if (model.shape != nullptr && model.shape->GetParent() != nullptr) {
        model.shape->GetParent()->RemoveChild(model.shape.get());
    }
    // A failed rebuild keeps the old shape, which goes back into the scene.
    model.RebuildShape();
    if (model.shape == nullptr) {
        return;
    }
    if (model.shape->GetName().empty()) {
        model.shape->SetName(fallbackName);
    }
    if (document.scene != nullptr) {
        document.scene->AddChild(model.shape.get());
    }
}

MergeOutcome Aborted(std::vector<std::string> messages) {
    return {.done = false, .messages = std::move(messages), .status = MERGE_ABORTED_STATUS};
}

}  // namespace

MergeOutcome MergeProp(ModelDocument& document, Prompts& prompts, const ModelSelection& selection) {
    if (document.prop.shape == nullptr) {
        return Aborted({"Please import a prop first."});
    }
    if (document.mergedPropCount >= MAX_MERGED_PROPS) {
        return Aborted({"Merged prop limit exceeeded (16 props max)"});
    }
    const bool modelWasSelected = selection.deselect();
    const auto reselect = [&] {
        if (modelWasSelected) {
            selection.reselect();
        }
    };
    MergedProp& entry = document.mergedProps[document.mergedPropCount];
    FillEntry(document, entry);

    const TextureStep step = DecideTextureStep(document, entry, prompts);
    if (step == TextureStep::Refused) {
        reselect();
        return Aborted({"Unable to fix texture overlap. Merge aborted."});
    }
    if (step == TextureStep::Accepted) {
        ApplySkinRegions(document.model.mesh, document.prop.mesh, entry.modelRegion,
                         entry.propRegion);
    }
    if (!MergePropMesh(document)) {
        MergeOutcome failed = Aborted({"Unable to merge prop - too many vertices or triangles."});
        if (step == TextureStep::Accepted) {
            failed.messages.emplace_back(
                "NOTE: Prop and model texture coordinates have changed - please reload meshes!");
        }
        reselect();
        return failed;
    }
    ++document.mergedPropCount;
    ReplaceShapes(document);
    reselect();
    return {.done = true, .messages = {}, .status = "Ready."};
}

void ResetMergedProps(ModelDocument& document) {
    document.mergedPropCount = 0;
    for (MergedProp& entry : document.mergedProps) {
        entry.Reset();
    }
    document.usedTexels.ClearAll();
}

}  // namespace editor::props
