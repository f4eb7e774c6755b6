#include "editor/io/game_skin.h"

#include <cmath>
#include <filesystem>
#include <limits>
#include <memory>
#include <vector>

#include "bytes/replace_file.h"
#include "editor/io/image_file.h"
#include "editor/io/palette_quantiser.h"
#include "editor/io/skin_picture.h"
#include "scene/image.h"

namespace editor::io {

using namespace ::bytes;
using namespace ::scene;

namespace {

static_assert(GAME_SKIN_SIDE == SKIN_SIDE, "the game's skin is the editor's texel space");

RgbPixels PixelsOf(const C3dImage& picture) {
    RgbPixels pixels;
    pixels.width = picture.GetWidth();
    pixels.height = picture.GetHeight();
    pixels.rgb.resize(static_cast<std::size_t>(pixels.width) * pixels.height * 3);
    std::size_t at = 0;
    for (int y = 0; y < pixels.height; ++y) {
        for (int x = 0; x < pixels.width; ++x, at += 3) {
            GetPixel(picture, x, y, pixels.rgb[at], pixels.rgb[at + 1], pixels.rgb[at + 2]);
        }
    }
    return pixels;
}

// A square level of `side` pixels, each the rounded mean of the full picture's pixels it
// covers.
RgbPixels Averaged(const RgbPixels& full, int side) {
    const int block = full.width / side;
    const unsigned count = static_cast<unsigned>(block * block);
    RgbPixels level;
    level.width = side;
    level.height = side;
    level.rgb.resize(static_cast<std::size_t>(side) * side * 3);
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            unsigned sum[3] = {0, 0, 0};
            for (int sy = y * block; sy < (y + 1) * block; ++sy) {
                const uint8_t* row =
                    full.rgb.data() + static_cast<std::size_t>(sy) * full.width * 3;
                for (int sx = x * block; sx < (x + 1) * block; ++sx) {
                    sum[0] += row[sx * 3];
                    sum[1] += row[sx * 3 + 1];
                    sum[2] += row[sx * 3 + 2];
                }
            }
            uint8_t* target = level.rgb.data() + (static_cast<std::size_t>(y) * side + x) * 3;
            for (int c = 0; c < 3; ++c) {
                target[c] = static_cast<uint8_t>((sum[c] + count / 2) / count);
            }
        }
    }
    return level;
}

// The full-colour skin and its half-size levels down to 1 x 1.
std::vector<RgbPixels> FullColourLevels(const C3dImage& skin) {
    std::vector<RgbPixels> levels;
    const std::unique_ptr<C3dImage> scaled = ScaledToSkin(skin);
    if (scaled == nullptr) {
        return levels;
    }
    levels.push_back(PixelsOf(*scaled));
    for (int side = GAME_SKIN_SIDE / 2; side >= 1; side /= 2) {
        levels.push_back(Averaged(levels.front(), side));
    }
    return levels;
}

}  // namespace

std::string GameSkinName(const std::string& path) {
    return std::string(GAME_PLAYER_FOLDER) + std::filesystem::path(path).filename().string();
}

Status MakeGameSkin(const C3dImage& skin, const std::string& name, M8Picture& result) {
    result = M8Picture{};
    const std::vector<RgbPixels> levels = FullColourLevels(skin);
    if (levels.empty()) {
        return Status::BadData("The skin holds no picture");
    }
    QuantisedPixels quantised;
    Status made = QuantiseToOnePalette(levels, quantised);
    if (!made) {
        return made;
    }
    result.name = name;
    result.palette = quantised.palette;
    for (std::size_t i = 0; i < levels.size(); ++i) {
        result.levels.push_back(
            M8Level{levels[i].width, levels[i].height, std::move(quantised.indices[i])});
    }
    return Status();
}

Status WriteGameSkin(const M8Picture& picture, const std::string& path) {
    const std::vector<uint8_t> bytes = EncodeM8(picture);
    return ReplaceFile(path, std::span<const uint8_t>(bytes));
}

double GameSkinPsnr(const C3dImage& skin, const M8Picture& picture) {
    const std::vector<RgbPixels> levels = FullColourLevels(skin);
    if (levels.empty() || picture.levels.empty() ||
        picture.levels.front().indices.size() * 3 != levels.front().rgb.size()) {
        return 0.0;
    }
    const std::vector<uint8_t>& full = levels.front().rgb;
    const std::vector<uint8_t>& indices = picture.levels.front().indices;
    double squares = 0.0;
    for (std::size_t i = 0; i < indices.size(); ++i) {
        for (int c = 0; c < 3; ++c) {
            const double difference = double(full[i * 3 + c]) - picture.palette[indices[i] * 3 + c];
            squares += difference * difference;
        }
    }
    const double meanSquare = squares / static_cast<double>(full.size());
    if (meanSquare == 0.0) {
        return std::numeric_limits<double>::infinity();
    }
    return 10.0 * std::log10(255.0 * 255.0 / meanSquare);
}

}  // namespace editor::io
