// The frame's own commands: "New", the control device, the transforms sheet, the about box,
// "Lock Position" and the toggles and notices of the commands without a menu entry.
#include "editor/model/model_document.h"
#include "editor/shell/command_ids.h"
#include "editor/shell/command_router.h"
#include "editor/shell/keyboard_keys.h"
#include "editor/shell/main_frame.h"
#include "editor/shell/version.h"
#include "scene/input/controller.h"

namespace editor::shell {

using namespace ::editor::model;
using namespace ::scene::input;

namespace {

// A flag toggled by a command whose check mark follows it; some also show the notice.
template <typename Flag>
void BindToggle(CommandRouter& router, CMainFrame& frame, int id, Flag& flag, bool notice) {
    router.Bind(id, {.run =
                         [&frame, &flag, notice] {
                             flag = flag ? 0 : 1;
                             if (notice) {
                                 frame.ShowNotImplemented();
                             }
                         },
                     .isChecked = [&flag] { return flag != 0; }});
}

}  // namespace

void RegisterFrameCommands(CMainFrame& frame, CommandRouter& router) {
    router.Bind(ID_FILE_NEW, {.run = [&frame] {
                    if (frame.ConfirmDiscardChanges()) {
                        frame.NewDocument();
                    }
                }});
    router.Bind(ID_EDIT_CONTROL_DEVICE,
                {.run = [&frame] { frame.ChooseControlDevice(); },
                 .isEnabled = [&frame] { return frame.Controller() != nullptr; }});
    router.Bind(
        ID_EDIT_INPUT_DEVICE_SETUP,
        {.run =
             [&frame] {
                 frame.Controller()->GetDevice().Configure(
                     [&frame](const std::string& text) { frame.GetUi().ShowMessage(text); });
             },
         .isEnabled = [&frame] { return frame.Controller() != nullptr; }});
    router.Bind(ID_TRANSFORMS,
                {.run = [&frame] { frame.OpenTransformsSheet(); },
                 .isEnabled = [&frame] { return frame.Selection().Shape() != nullptr; }});
    router.Bind(ID_APP_ABOUT, {.run = [&frame] { frame.GetUi().ShowAbout(AboutText()); }});
    router.Bind(ID_HELP_KEYS,
                {.run = [&frame] { frame.GetUi().ShowMessage(KeyboardDeviceKeysText()); }});

    BindToggle(router, frame, ID_MODEL_LOCK_POSITION, frame.options.lockPosition, false);
    BindToggle(router, frame, ID_LIVE_UPDATE, frame.options.liveUpdate, true);
    BindToggle(router, frame, ID_FLIP_TEXTURE_U, frame.options.flipTextureU, true);
    BindToggle(router, frame, ID_FLIP_TEXTURE_V, frame.options.flipTextureV, true);
    BindToggle(router, frame, ID_QUICK_EXPORT, frame.options.quickExport, false);
    BindToggle(router, frame, ID_ARM_LEG_BEEF, frame.Document().armLegBeef, true);
    router.Bind(ID_EXPORT_WAVEFRONT_OBJ, {.run = [&frame] { frame.ShowNotImplemented(); }});
}

}  // namespace editor::shell
