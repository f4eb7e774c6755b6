#include "editor/shell/command_registration.h"

namespace editor::shell {

// Each area binds its commands (and installs its frame hooks) in a file of its own. Bind
// replaces an earlier binding of the same command, so were two areas to bind one command, the
// later in the list below would handle it; today each command is bound by one area only. To
// add an area: write its registration function and add one line to each list below.
void RegisterFrameCommands(CMainFrame& frame, CommandRouter& router);
void RegisterFileCommands(CMainFrame& frame, CommandRouter& router);
void RegisterSkeletonCommands(CMainFrame& frame, CommandRouter& router);
void RegisterSelectionCommands(CMainFrame& frame, CommandRouter& router);
void RegisterCameraViewCommands(CMainFrame& frame, CommandRouter& router);
void RegisterPropCommands(CMainFrame& frame, CommandRouter& router);
void RegisterGroupCommands(CMainFrame& frame, CommandRouter& router);
void RegisterBindingCommands(CMainFrame& frame, CommandRouter& router);
void RegisterMotionCaptureCommands(CMainFrame& frame, CommandRouter& router);
void RegisterModelFitCommands(CMainFrame& frame, CommandRouter& router);
void RegisterHandsCommands(CMainFrame& frame, CommandRouter& router);
void RegisterGenerateCommands(CMainFrame& frame, CommandRouter& router);
void RegisterExportCommands(CMainFrame& frame, CommandRouter& router);
void RegisterSkinCommands(CMainFrame& frame, CommandRouter& router);
void RegisterAutoRigCommands(CMainFrame& frame, CommandRouter& router);
void RegisterEditHistoryCommands(CMainFrame& frame, CommandRouter& router);

void RegisterAllCommandHandlers(CMainFrame& frame, CommandRouter& router) {
    using Registration = void (*)(CMainFrame&, CommandRouter&);
    static constexpr Registration kAreas[] = {
        RegisterFrameCommands,       RegisterFileCommands,       RegisterSkeletonCommands,
        RegisterSelectionCommands,   RegisterCameraViewCommands, RegisterPropCommands,
        RegisterGroupCommands,       RegisterBindingCommands,    RegisterMotionCaptureCommands,
        RegisterModelFitCommands,    RegisterHandsCommands,      RegisterGenerateCommands,
        RegisterExportCommands,      RegisterSkinCommands,       RegisterAutoRigCommands,
        RegisterEditHistoryCommands,
    };
    for (Registration registration : kAreas) {
        registration(frame, router);
    }
}

}  // namespace editor::shell
