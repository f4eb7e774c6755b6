// "Undo" and "Redo", and the hooks that start a fresh history when a model is opened.
#include "editor/shell/command_ids.h"
#include "editor/shell/command_router.h"
#include "editor/shell/edit_history.h"
#include "editor/shell/main_frame.h"

namespace editor::shell {

void RegisterEditHistoryCommands(CMainFrame& frame, CommandRouter& router) {
    router.Bind(ID_EDIT_UNDO, {.run = [&frame] { frame.History().Undo(); },
                               .isEnabled = [&frame] { return frame.History().CanUndo(); },
                               .menuText = [&frame] { return frame.History().UndoMenuText(); }});
    router.Bind(ID_EDIT_REDO, {.run = [&frame] { frame.History().Redo(); },
                               .isEnabled = [&frame] { return frame.History().CanRedo(); },
                               .menuText = [&frame] { return frame.History().RedoMenuText(); }});
    frame.Hooks().modelOpened.push_back(
        [&frame](const std::string&) { frame.History().ModelOpened(); });
}

}  // namespace editor::shell
