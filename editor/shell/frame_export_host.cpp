#include "editor/shell/frame_export_host.h"

#include "editor/generate/mesh_deformation.h"
#include "editor/shell/frame_prompts.h"
#include "editor/shell/main_frame.h"
#include "editor/shell/outcome_message.h"
#include "editor/shell/ui.h"
#include "scene/view.h"

namespace editor::shell {

using namespace ::editor::flexexport;

bool FrameExportHost::GenerateBodyParts() {
    return frame_.MakePoseable();
}

void FrameExportHost::ScaleToGround() {
    editor::generate::ScaleToGround(frame_.Document());
}

void FrameExportHost::RedrawView() {
    frame_.View().Update(0.0);
}

ExportRequest FrameExportRequest(const CMainFrame& frame) {
    ExportRequest request;
    request.quick = frame.options.quickExport;
    request.flipTextureU = frame.options.flipTextureU;
    request.flipTextureV = frame.options.flipTextureV;
    request.programDir = frame.ProgramDir();
    return request;
}

Result<std::string> RunFrameExport(CMainFrame& frame, const ExportRequest& request) {
    FrameExportHost host(frame);
    FramePrompts prompts(frame);
    Result<std::string> written = ExportFlexModel(frame.Posing(), host, prompts, request);
    if (written) {
        frame.SetStatus("Flex model generated in '%s'", written->c_str());
    }
    Succeeded(frame.GetUi(), written);
    frame.RequestRedraw();
    return written;
}

}  // namespace editor::shell
