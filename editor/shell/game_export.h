#pragma once
// The game's own files: "Export Game Skin..." writes the model's skin as an .m8 picture, and
// "Export for the Game..." fills a folder the modder copies into the game's data as it is:
// models/player/elf/ with the FlexModel as "tris.fm" and the skin as "!skin.m8" and
// "!skindmg.m8".

#include "scene/forward.h"

namespace editor::shell {

using namespace ::scene;

class CMainFrame;

// Both say so and stop when the model has no skin (none found beside it, chosen or merged).
void ExportGameSkin(CMainFrame& frame, const C3dImage* skin);
void ExportForGame(CMainFrame& frame, const C3dImage* skin);

}  // namespace editor::shell
