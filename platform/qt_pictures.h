#pragma once
// PNG and JPEG skins through Qt's image readers, and pictures of the view without a window.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "scene/forward.h"

namespace platform {

using namespace ::scene;

// Decodes a picture file's bytes with Qt's readers into a 24-bit image.
bool DecodePicture(std::span<const uint8_t> bytes, C3dImage& image);
// Makes DecodePicture the editor's reader for PNG and JPEG skins.
void InstallQtPictureDecoder();

// Draws the stage off-screen at width x height with the window's renderer into png, the
// bytes of a PNG file. Creates the Qt application when there is none, on the off-screen
// platform when no display is set. Empty on success, else why not.
std::string SnapshotStage(const C3dStage& stage, int width, int height, std::vector<uint8_t>& png);

}  // namespace platform
