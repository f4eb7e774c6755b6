#pragma once
// Heretic II's paletted, mipmapped pictures (.m8): a 1040-byte header (version 2, the name the
// game loads the picture by, sixteen level widths, heights and offsets, an animation name, a
// 256-colour palette, flags, contents and value), then each level as width x height palette
// indices, top row first. The editor reads level 0 as its picture.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "bytes/status.h"
#include "editor/io/picture.h"

namespace editor::io {

using namespace ::bytes;

inline constexpr int32_t M8_VERSION = 2;
inline constexpr int M8_LEVELS = 16;
inline constexpr std::size_t M8_NAME_SIZE = 32;
inline constexpr std::size_t M8_PALETTE_COLOURS = 256;
inline constexpr std::size_t M8_HEADER_SIZE = 1040;
inline constexpr uint32_t M8_MAX_SIDE = 4096;

struct M8Level {
    int32_t width = 0;
    int32_t height = 0;
    // width x height palette indices, top row first.
    std::vector<uint8_t> indices;
};

struct M8Picture {
    // The path the game loads the picture by ("models/player/elf/!skin.m8"); at most 31
    // characters are kept.
    std::string name;
    // Red, green, blue per entry.
    std::array<uint8_t, M8_PALETTE_COLOURS * 3> palette{};
    // Level 0 first, each usually half the size of the one before; at most M8_LEVELS.
    std::vector<M8Level> levels;
};

// Level 0 as an 8-bit picture. Fails BadData, saying why, when the header is cut short, the
// version is not 2, or a level's size (each side 1 to 4096) or place (after the header,
// inside the file) does not fit; the levels end at the first with a side of 0.
Status DecodeM8(std::span<const uint8_t> bytes, Picture& picture);

// The file's bytes: the levels follow the header one after another; levels not given are 0.
std::vector<uint8_t> EncodeM8(const M8Picture& picture);

}  // namespace editor::io
