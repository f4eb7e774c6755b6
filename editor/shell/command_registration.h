#pragma once

namespace editor::shell {

class CMainFrame;
class CommandRouter;

// Binds the handlers of every area of the editor; called once by the frame's constructor.
void RegisterAllCommandHandlers(CMainFrame& frame, CommandRouter& router);

}  // namespace editor::shell
