#pragma once
// Skin pictures: every kind the editor reads (Targa, PC Paintbrush, Windows bitmaps, Heretic
// II's .m8 pictures, and PNG and JPEG through the window's image readers,
// C3dImage::DecodePicture), scaled to the 256 x 256 texel space the texture coordinates count in.

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "editor/io/file_types.h"
#include "editor/model/skin_coordinates.h"

#include "editor/prompts/prompts.h"
#include "scene/forward.h"

namespace editor::io {

using namespace ::editor::prompts;

using namespace ::scene;

inline constexpr std::array<FileType, 7> SKIN_PICTURE_TABLE = {{
    {".tga", "Targa Image (*.tga)"},
    {".pcx", "PC Paintbrush (*.pcx)"},
    {".bmp", "Windows Bitmap (*.bmp)"},
    {".png", "PNG Image (*.png)"},
    {".jpg", "JPEG Image (*.jpg)"},
    {".jpeg", "JPEG Image (*.jpeg)"},
    {".m8", "Heretic II Picture (*.m8)"},
}};

inline constexpr int SKIN_SIDE = static_cast<int>(::editor::model::SKIN_TEXELS);

std::string BuildSkinPictureFilter();

// Reads the picture at path (an empty path asks for one; the chosen path is left in
// chosenPath when given) and scales it to the skin's 256 x 256 texels. None on failure or
// cancel.
std::unique_ptr<C3dImage> LoadSkinPicture(const std::string& path, Prompts* questions,
                                          std::string* chosenPath = nullptr);

// A 24-bit 256 x 256 copy of an 8- or 24-bit picture of any size: each texel is the mean of
// the pixels it covers (the nearest pixel when the picture is smaller). None for an empty or
// unreadable picture.
std::unique_ptr<C3dImage> ScaledToSkin(const C3dImage& picture);

}  // namespace editor::io
