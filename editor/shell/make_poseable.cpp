// The frame's part in making the mesh poseable: the deformation its posing carries along, the
// local coordinates' overwrite questions through the frame's prompts, and "Make Poseable" with its
// messages.
#include <memory>
#include <string>

#include "editor/generate/body_parts.h"
#include "editor/generate/mesh_deformation.h"
#include "editor/model/model_document.h"
#include "editor/shell/frame_prompts.h"
#include "editor/shell/group_view.h"
#include "editor/shell/main_frame.h"
#include "editor/skeleton/posing.h"
#include "scene/shape.h"

namespace editor::shell {

using namespace ::editor::generate;
using namespace ::editor::model;
using namespace ::editor::skeleton;
using namespace ::scene;

void CMainFrame::ConnectDeformation() {
    // The selection's marks hang below the selected shape: they must leave the old shape before
    // it is deleted, and go onto its successor.
    auto reselect = std::make_shared<bool>(false);
    DeformationHost host;
    host.releasingShape = [this, reselect](const C3dShape& old) {
        *reselect = selection_->Shape() == &old;
        if (*reselect) {
            selection_->Select(nullptr);
        }
    };
    host.shapeReplaced = [this, reselect](C3dShape& fresh) {
        if (*reselect) {
            *reselect = false;
            selection_->Select(&fresh);
        }
    };
    deformation_->SetHost(std::move(host));
}

bool CMainFrame::MakePoseable() {
    ModelDocument& document = *document_;
    if (!AnyBoneBound(document)) {
        ui_.ShowMessage(NOTHING_BOUND_MESSAGE);
        return false;
    }
    SetStatus("%s", GENERATING_STATUS);
    TriangleSet highlight;
    FramePrompts questions(*this);
    localCoordinates_->SetQuestions(&questions);
    const int result =
        GenerateBodyParts(*posing_, *localCoordinates_, highlight,
                          [this](const std::string& line) { SetStatus("%s", line.c_str()); });
    localCoordinates_->SetQuestions(nullptr);
    RequestRedraw();
    if (result == GENERATION_DONE) {
        SetStatus("%s", GENERATION_COMPLETE_STATUS);
        return true;
    }
    ShowTemporaryGroup(*this, highlight);
    ui_.ShowMessage(GenerationFailureMessage(result));
    return false;
}

}  // namespace editor::shell
