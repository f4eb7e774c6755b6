#include "editor/shell/frame_export_host.h"

#include "editor/generate/mesh_deformation.h"
#include "editor/shell/main_frame.h"
#include "editor/shell/ui.h"
#include "scene/view.h"

namespace editor::shell {

using namespace ::editor::flexexport;

namespace {

FileDialogRequest Request(const std::string& extension, const std::string& filter) {
    FileDialogRequest request;
    request.defaultExtension = extension;
    request.filter = filter;
    request.flags = kHideReadOnly;
    return request;
}

}  // namespace

bool FrameExportHost::GenerateBodyParts() {
    return frame_.MakePoseable();
}

void FrameExportHost::ScaleToGround() {
    editor::generate::ScaleToGround(frame_.Document());
}

void FrameExportHost::Status(const std::string& text) {
    frame_.SetStatus("%s", text.c_str());
}

void FrameExportHost::Message(const std::string& text) {
    frame_.GetUi().ShowMessage(text);
}

std::optional<std::string> FrameExportHost::AskSaveFile(const std::string& extension,
                                                        const std::string& filter) {
    return frame_.GetUi().AskSaveFile(Request(extension, filter));
}

std::optional<std::string> FrameExportHost::AskOpenFile(const std::string& extension,
                                                        const std::string& filter) {
    return frame_.GetUi().AskOpenFile(Request(extension, filter));
}

void FrameExportHost::RedrawView() {
    frame_.View().Update(0.0);
}

void FrameExportHost::Progress(int done, int total) {
    frame_.GetUi().ShowProgress(done, total);
}

void FrameExportHost::EndProgress() {
    frame_.GetUi().EndProgress();
}

ExportRequest FrameExportRequest(const CMainFrame& frame) {
    ExportRequest request;
    request.quick = frame.options.quickExport;
    request.flipTextureU = frame.options.flipTextureU;
    request.flipTextureV = frame.options.flipTextureV;
    request.programDir = frame.ProgramDir();
    return request;
}

}  // namespace editor::shell
