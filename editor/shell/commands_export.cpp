// The animated FlexModel export: "&Flex Model" and "&Quick Flex Model" take "mocap.spz" from the
// program directory, "Flex Model F&rom..." asks for the pose file.
#include <optional>
#include <string>

#include "editor/export/export_driver.h"
#include "editor/generate/mesh_deformation.h"
#include "editor/shell/command_ids.h"
#include "editor/shell/command_router.h"
#include "editor/shell/main_frame.h"
#include "editor/shell/ui.h"
#include "scene/view.h"

namespace editor::shell {

using namespace ::editor::flexexport;

namespace {

class FrameExportHost : public ExportHost {
  public:
    explicit FrameExportHost(CMainFrame& frame) : frame_(frame) {}

    bool GenerateBodyParts() override { return frame_.MakePoseable(); }
    void ScaleToGround() override { editor::generate::ScaleToGround(frame_.Document()); }
    PoseObserver* Observer() override { return &frame_.Deformation(); }
    void Status(const std::string& text) override { frame_.SetStatus("%s", text.c_str()); }
    void Message(const std::string& text) override { frame_.GetUi().ShowMessage(text); }
    std::optional<std::string> AskSaveFile(const std::string& extension,
                                           const std::string& filter) override {
        return frame_.GetUi().AskSaveFile(Request(extension, filter));
    }
    std::optional<std::string> AskOpenFile(const std::string& extension,
                                           const std::string& filter) override {
        return frame_.GetUi().AskOpenFile(Request(extension, filter));
    }
    void RedrawView() override { frame_.View().Update(0.0); }
    void Progress(int done, int total) override { frame_.GetUi().ShowProgress(done, total); }
    void EndProgress() override { frame_.GetUi().EndProgress(); }

  private:
    static FileDialogRequest Request(const std::string& extension, const std::string& filter) {
        FileDialogRequest request;
        request.defaultExtension = extension;
        request.filter = filter;
        request.flags = kHideReadOnly;
        return request;
    }

    CMainFrame& frame_;
};

void Export(CMainFrame& frame, bool quick, bool askForPoses) {
    ExportRequest request;
    request.quick = quick || frame.options.quickExport;
    request.flipTextureU = frame.options.flipTextureU;
    request.flipTextureV = frame.options.flipTextureV;
    request.programDir = frame.ProgramDir();
    if (!askForPoses) {
        request.poseFile = frame.ProgramFile(MOCAP_FILE_NAME);
    }
    FrameExportHost host(frame);
    ExportFlexModel(frame.Document(), host, request);
    frame.RequestRedraw();
}

}  // namespace

void RegisterExportCommands(CMainFrame& frame, CommandRouter& router) {
    router.Bind(ID_EXPORT_FLEX_MODEL, {.run = [&frame] { Export(frame, false, false); }});
    router.Bind(ID_EXPORT_QUICK_FLEX_MODEL, {.run = [&frame] { Export(frame, true, false); }});
    router.Bind(ID_EXPORT_FLEX_MODEL_FROM, {.run = [&frame] { Export(frame, false, true); }});
}

}  // namespace editor::shell
