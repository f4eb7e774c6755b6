#pragma once
// One frame of a Quake-family model (MD2 or FlexModel) as a static mesh. Both containers hold
// the same records; they differ only in how the sections are found, which the layout records.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "editor/io/raw_mesh.h"

namespace editor::io {

struct QuakeModelLayout {
    int32_t numXyz = 0;
    int32_t numSt = 0;
    int32_t numTris = 0;
    int32_t numFrames = 0;
    int32_t frameSize = 0;
    // The skin the texture coordinates count pixels of; 0 when the file does not say.
    int32_t skinWidth = 0;
    int32_t skinHeight = 0;
    int32_t numSkins = 0;
    // Each section from its first byte to the end of what may hold it.
    std::span<const uint8_t> triangles;
    std::span<const uint8_t> stCoords;
    std::span<const uint8_t> frames;
    std::span<const uint8_t> skins;  // numSkins names of 64 bytes; empty when absent
};

// The frame names in file order; fails (list emptied) when a frame header is cut short or the
// frame size cannot hold a frame header.
Status ListQuakeFrames(const QuakeModelLayout& layout, std::vector<std::string>& names);

// The skin names the file gives, in file order, each cut at its first NUL; as many as the
// skins section holds whole, empty names left out.
std::vector<std::string> ListQuakeSkins(const QuakeModelLayout& layout);

// The named frame (the first one when frameName is empty): triangles with the stored winding,
// vertices mirrored in x, texture vertices in texels of the 256 x 256 skin (scaled from the
// file's skin size when it gives another one), normal indices, and the group "mesh"
// holding every triangle. Fails when a count exceeds a capacity, a section is cut short, an
// index does not exist or no frame has that name.
Status ReadQuakeFrame(const QuakeModelLayout& layout, const std::string& frameName, RawMesh& mesh);

}  // namespace editor::io
