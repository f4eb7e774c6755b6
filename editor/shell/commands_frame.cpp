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

    // Some options are kept but do nothing yet; switching them says so.
    const auto notice = [&frame] { frame.ShowNotImplemented(); };
    BindFlagToggle(router, ID_MODEL_LOCK_POSITION, frame.options.lockPosition);
    BindFlagToggle(router, ID_LIVE_UPDATE, frame.options.liveUpdate, notice);
    BindFlagToggle(router, ID_FLIP_TEXTURE_U, frame.options.flipTextureU, notice);
    BindFlagToggle(router, ID_FLIP_TEXTURE_V, frame.options.flipTextureV, notice);
    BindFlagToggle(router, ID_QUICK_EXPORT, frame.options.quickExport);
    BindFlagToggle(router, ID_ARM_LEG_BEEF, frame.Document().armLegBeef, notice);
    router.Bind(ID_EXPORT_WAVEFRONT_OBJ, {.run = [&frame] { frame.ShowNotImplemented(); }});
}

}  // namespace editor::shell
