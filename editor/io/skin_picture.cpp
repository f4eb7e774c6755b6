#include "editor/io/skin_picture.h"

#include <algorithm>
#include <vector>

#include "bytes/whole_file.h"
#include "editor/io/image_file.h"
#include "scene/image.h"

namespace editor::io {

using namespace ::bytes;
using namespace ::scene;

namespace {

enum SkinPictureType { SKIN_TGA, SKIN_PCX, SKIN_BMP, SKIN_PNG, SKIN_JPG, SKIN_JPEG, SKIN_M8 };

bool ReadSkinPicture(const std::string& path, C3dImage& image) {
    const int type = FileTypeOfPath(SKIN_PICTURE_TABLE, path);
    if (type == SKIN_TGA || type == SKIN_PCX || type == SKIN_BMP || type == SKIN_M8) {
        return LoadImageFile(image, path, nullptr) != 0;
    }
    if (type < 0) {
        return false;
    }
    std::vector<uint8_t> bytes;
    if (!Trace(ReadWholeFile(path, bytes)) || !image.DecodePicture(bytes)) {
        return false;
    }
    image.SetName(path);
    return true;
}

// The pixels [first, last) of a side of source pixels that texel i of SKIN_SIDE covers.
std::pair<int, int> Footprint(int i, int sourceSide) {
    const int first = static_cast<int>(static_cast<int64_t>(i) * sourceSide / SKIN_SIDE);
    const int last = static_cast<int>(static_cast<int64_t>(i + 1) * sourceSide / SKIN_SIDE);
    return {first, std::max(last, first + 1)};
}

}  // namespace

std::string BuildSkinPictureFilter() {
    return BuildFileFilter(SKIN_PICTURE_TABLE);
}

std::unique_ptr<C3dImage> LoadSkinPicture(const std::string& path, Prompts* questions,
                                          std::string* chosenPath) {
    std::string chosen = path;
    if (chosen.empty()) {
        auto asked = questions ? questions->AskOpenFile({.filter = BuildSkinPictureFilter(),
                                                         .defaultExtension = "tga",
                                                         .flags = kOpenExisting})
                               : std::nullopt;
        if (!asked || asked->empty()) {
            return nullptr;
        }
        chosen = *asked;
    }
    if (chosenPath != nullptr) {
        *chosenPath = chosen;
    }
    C3dImage picture;
    if (!ReadSkinPicture(chosen, picture)) {
        return nullptr;
    }
    auto skin = ScaledToSkin(picture);
    if (skin != nullptr) {
        skin->SetName(chosen);
    }
    return skin;
}

std::unique_ptr<C3dImage> ScaledToSkin(const C3dImage& picture) {
    const std::unique_ptr<C3dImage> source = ToTrueColour(picture);
    auto skin = std::make_unique<C3dImage>();
    if (source == nullptr || !CreateFilled(*skin, SKIN_SIDE, SKIN_SIDE, 0, 0, 0)) {
        return nullptr;
    }
    for (int y = 0; y < SKIN_SIDE; ++y) {
        const auto [top, bottom] = Footprint(y, source->GetHeight());
        for (int x = 0; x < SKIN_SIDE; ++x) {
            const auto [left, right] = Footprint(x, source->GetWidth());
            unsigned sum[3] = {0, 0, 0};
            for (int sy = top; sy < bottom; ++sy) {
                for (int sx = left; sx < right; ++sx) {
                    uint8_t rgb[3];
                    GetPixel(*source, sx, sy, rgb[0], rgb[1], rgb[2]);
                    sum[0] += rgb[0];
                    sum[1] += rgb[1];
                    sum[2] += rgb[2];
                }
            }
            const unsigned count = static_cast<unsigned>((bottom - top) * (right - left));
            SetPixel(*skin, x, y, static_cast<uint8_t>((sum[0] + count / 2) / count),
                     static_cast<uint8_t>((sum[1] + count / 2) / count),
                     static_cast<uint8_t>((sum[2] + count / 2) / count));
        }
    }
    return skin;
}

}  // namespace editor::io
