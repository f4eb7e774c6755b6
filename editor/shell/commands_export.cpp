// The animated FlexModel export: "&Flex Model" and "&Quick Flex Model" take "mocap.spz" from the
// program directory, "Flex Model F&rom..." asks for the pose file.
#include "editor/export/export_driver.h"
#include "editor/shell/command_ids.h"
#include "editor/shell/command_router.h"
#include "editor/shell/frame_export_host.h"
#include "editor/shell/main_frame.h"

namespace editor::shell {

using namespace ::editor::flexexport;

namespace {

void Export(CMainFrame& frame, bool quick, bool askForPoses) {
    ExportRequest request = FrameExportRequest(frame);
    request.quick = request.quick || quick;
    if (!askForPoses) {
        request.poseFile = frame.ProgramFile(MOCAP_FILE_NAME);
    }
    (void)RunFrameExport(frame, request);
}

}  // namespace

void RegisterExportCommands(CMainFrame& frame, CommandRouter& router) {
    router.Bind(ID_EXPORT_FLEX_MODEL, {.run = [&frame] { Export(frame, false, false); }});
    router.Bind(ID_EXPORT_QUICK_FLEX_MODEL, {.run = [&frame] { Export(frame, true, false); }});
    router.Bind(ID_EXPORT_FLEX_MODEL_FROM, {.run = [&frame] { Export(frame, false, true); }});
}

}  // namespace editor::shell
