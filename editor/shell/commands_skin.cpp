// The skins in the view: View > Skin, Model > Model Skin..., and the skins that opening a file
// and composing the merged skin bring; the model's skin written for the game (File > Export).
#include <memory>

#include "editor/shell/command_ids.h"
#include "editor/shell/command_router.h"
#include "editor/shell/game_export.h"
#include "editor/shell/main_frame.h"
#include "editor/shell/skin_display.h"
#include "scene/image.h"

namespace editor::shell {

using namespace ::scene;

void RegisterSkinCommands(CMainFrame& frame, CommandRouter& router) {
    auto skins = std::make_shared<SkinDisplay>(frame);
    FrameHooks& hooks = frame.Hooks();
    hooks.modelOpened.push_back([skins](const std::string& path) { skins->ModelOpened(path); });
    hooks.propOpened.push_back([skins](const std::string& path) { skins->PropOpened(path); });
    hooks.mergedSkinSaved = [skins](std::unique_ptr<C3dImage> skin) {
        skins->UseMergedSkin(std::move(skin));
    };
    hooks.resetDocument.push_back([skins] { skins->Reset(); });
    BindToggle(
        router, ID_VIEW_SKIN, [skins] { skins->Toggle(); }, [skins] { return skins->Shown(); });
    router.Bind(ID_MODEL_SKIN, {.run = [skins] { skins->ChooseModelSkin(); }});
    router.Bind(ID_EXPORT_GAME_SKIN,
                {.run = [&frame, skins] { ExportGameSkin(frame, skins->ModelSkin()); }});
    router.Bind(ID_EXPORT_FOR_GAME,
                {.run = [&frame, skins] { ExportForGame(frame, skins->ModelSkin()); }});
}

}  // namespace editor::shell
