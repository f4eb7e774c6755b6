#pragma once
// Picture files for skins and backgrounds: Targa, PC Paintbrush, Windows bitmaps and Heretic
// II's .m8 pictures in, Targa out, and the pixel operations the skin tools use.

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "editor/io/file_types.h"

#include "editor/model/forward.h"
#include "editor/prompts/prompts.h"
#include "scene/forward.h"

namespace editor::io {

using namespace ::editor::prompts;

using namespace ::scene;
using namespace ::editor::model;

enum ImageType {
    IMAGE_TGA = 0,
    IMAGE_PCX = 1,
    IMAGE_BMP = 2,
    IMAGE_M8 = 3,
};

inline constexpr std::array<FileType, 4> IMAGE_TABLE = {{
    {".tga", "Targa Image (*.tga)"},
    {".pcx", "PC Paintbrush (*.pcx)"},
    {".bmp", "Windows Bitmap (*.bmp)"},
    {".m8", "Heretic II Picture (*.m8)"},
}};

inline constexpr const char* TGA_SAVE_FILTER = "Targa Image (*.TGA)|*.TGA|All files (*.*)|*.*||";

std::string BuildImageFilter();

// Loads the picture at path (an empty path asks for one), chosen by extension; 1 on success
// with the image named after the path, 0 on failure or cancel (the image then holds no pixels).
int LoadImageFile(C3dImage& image, const std::string& path, Prompts* questions);
// Readers over a file's bytes: 1 on success (image named "TGA File image" / "PCX File image" /
// "M8 File image"), 0 on failure with the image emptied. An .m8 file gives its level 0.
int ReadTga(C3dImage& image, std::span<const uint8_t> bytes);
int ReadPcx(C3dImage& image, std::span<const uint8_t> bytes);
int ReadM8(C3dImage& image, std::span<const uint8_t> bytes);

// Writes a 24-bit image as Targa to path (an empty path asks for one), replacing the file only
// once the new one is complete. 1 on success with the image named after the path; 0 on
// failure or cancel.
int SaveTgaFile(C3dImage& image, const std::string& path, Prompts* questions);
// The Targa bytes of a 24-bit image; 0 for any other image.
int WriteTga(const C3dImage& image, std::vector<uint8_t>& bytes);

// A new 24-bit image showing the same picture; none for an image that is neither 8- nor
// 24-bit.
std::unique_ptr<C3dImage> ToTrueColour(const C3dImage& image);

bool Is24Bit(const C3dImage& image);
// Pixel (x, y) of a 24-bit image, row y counted from the top; outside the image nothing
// happens and GetPixel returns false.
bool SetPixel(C3dImage& image, int x, int y, uint8_t r, uint8_t g, uint8_t b);
bool GetPixel(const C3dImage& image, int x, int y, uint8_t& r, uint8_t& g, uint8_t& b);

// Makes the image a 24-bit picture of one colour; 0 when it cannot be made.
int CreateFilled(C3dImage& image, int width, int height, uint8_t r, uint8_t g, uint8_t b);

// Copies the region's source rectangle of a 24-bit source into a 24-bit destination at the
// region's new place, scaled and optionally turned (nearest pixel, each source pixel written
// once). 0, with nothing drawn, when the rectangle is not inside the source or the scaled
// result does not fit the destination.
int CopyRegion(C3dImage& destination, const C3dImage& source, const SkinRegion& region);

}  // namespace editor::io
