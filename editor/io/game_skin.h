#pragma once
// The game's skin made from the editor's full-colour one: a 256 x 256 .m8 picture and every
// half-size level down to 1 x 1, each level averaged from the full-colour picture, all on one
// palette of 256 colours.

#include <string>

#include "bytes/status.h"
#include "editor/io/m8_codec.h"

#include "scene/forward.h"

namespace editor::io {

using namespace ::bytes;
using namespace ::scene;

inline constexpr int GAME_SKIN_SIDE = 256;
// Where the player's model and skins live in the game's data.
inline constexpr const char* GAME_PLAYER_FOLDER = "models/player/elf/";
inline constexpr const char* GAME_SKIN_FILTER =
    "Heretic II Picture (*.m8)|*.m8|All Files (*.*)|*.*||";

// The name the game loads an .m8 written at path by: the player's folder and the file's name.
std::string GameSkinName(const std::string& path);

// The skin (an 8- or 24-bit picture of any size, scaled to 256 x 256 first) as the game's
// picture named `name`. Fails when the picture is empty or no palette can be made.
Status MakeGameSkin(const C3dImage& skin, const std::string& name, M8Picture& result);

// Writes the picture beside path and renames it over path when complete.
Status WriteGameSkin(const M8Picture& picture, const std::string& path);

// The peak signal-to-noise ratio, in decibels, of level 0 against the full-colour skin it was
// made from (scaled as MakeGameSkin scales it); over the red, green and blue of every pixel.
double GameSkinPsnr(const C3dImage& skin, const M8Picture& picture);

}  // namespace editor::io
