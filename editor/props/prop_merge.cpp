#include "editor/props/prop_merge.h"

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

bool ConfirmNote(PropMergeHost& host, const std::string& note) {
    host.SetStatus(note);
    return host.AskOkCancel(note);
}

bool ConfirmRegions(const ModelDocument& document, const MergedProp& entry, PropMergeHost& host) {
    // A model without triangles has no skin to move; its bounds are only the empty start values.
    const bool modelHasSkin = document.model.mesh.TriangleCount() > 0;
    if (modelHasSkin && !ConfirmNote(host, ModelSkinNote(document.model.mesh, entry.modelRegion))) {
        return false;
    }
    return ConfirmNote(host, PropSkinNote(document.prop.mesh, entry.propRegion));
}

TextureStep DecideTextureStep(ModelDocument& document, MergedProp& entry, PropMergeHost& host) {
    if (!TexturesOverlap(document.model.mesh, document.prop.mesh)) {
        return TextureStep::Unchanged;
    }
    bool accepted;
    if (host.AskOkCancel(
            "The model and prop textures overlap. Do you want Marionet to try to remap them?")) {
        accepted = RemapSkins(document, entry.modelRegion, entry.propRegion) != 0;
    } else {
        accepted = host.AskOkCancel(
            "Do you want Marionet to merge the prop and model using their current texture "
            "maps?");
    }
    return accepted && ConfirmRegions(document, entry, host) ? TextureStep::Accepted
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

bool Abort(PropMergeHost& host, const char* message) {
    host.ShowMessage(message);
    host.SetStatus(MERGE_ABORTED_STATUS);
    return false;
}

}  // namespace

bool MergeProp(ModelDocument& document, PropMergeHost& host) {
    if (document.prop.shape == nullptr) {
        return Abort(host, "Please import a prop first.");
    }
    if (document.mergedPropCount >= MAX_MERGED_PROPS) {
        return Abort(host, "Merged prop limit exceeeded (16 props max)");
    }
    const bool modelWasSelected = host.DeselectModel();
    const auto reselect = [&] {
        if (modelWasSelected) {
            host.SelectModel();
        }
    };
    MergedProp& entry = document.mergedProps[document.mergedPropCount];
    FillEntry(document, entry);

    const TextureStep step = DecideTextureStep(document, entry, host);
    if (step == TextureStep::Refused) {
        reselect();
        return Abort(host, "Unable to fix texture overlap. Merge aborted.");
    }
    if (step == TextureStep::Accepted) {
        ApplySkinRegions(document.model.mesh, document.prop.mesh, entry.modelRegion,
                         entry.propRegion);
    }
    if (!MergePropMesh(document)) {
        host.ShowMessage("Unable to merge prop - too many vertices or triangles.");
        if (step == TextureStep::Accepted) {
            host.ShowMessage(
                "NOTE: Prop and model texture coordinates have changed - please reload meshes!");
        }
        reselect();
        host.SetStatus(MERGE_ABORTED_STATUS);
        return false;
    }
    ++document.mergedPropCount;
    ReplaceShapes(document);
    reselect();
    host.Redraw();
    host.SetStatus("Ready.");
    return true;
}

void ResetMergedProps(ModelDocument& document) {
    document.mergedPropCount = 0;
    for (MergedProp& entry : document.mergedProps) {
        entry.Reset();
    }
    document.usedTexels.ClearAll();
}

}  // namespace editor::props
