#include "editor/io/image_file.h"

#include <cmath>
#include <cstring>
#include <vector>

#include "bytes/replace_file.h"
#include "bytes/whole_file.h"
#include "editor/io/m8_codec.h"
#include "editor/io/pcx_codec.h"
#include "editor/io/picture.h"
#include "editor/io/tga_codec.h"
#include "editor/model/skin_region.h"
#include "scene/image.h"

namespace editor::io {

using namespace ::bytes;
using namespace ::editor::model;
using namespace ::scene;

namespace {

BitmapInfoHeader HeaderFor(int32_t width, int32_t height, int32_t bitsPerPixel) {
    BitmapInfoHeader header;
    header.width = width;
    header.height = height;
    header.planes = 1;
    header.bitCount = static_cast<uint16_t>(bitsPerPixel);
    return header;
}

bool CreateFromPicture(C3dImage& image, const Picture& picture) {
    PaletteEntry palette[C3D_PALETTE_SIZE];
    for (int i = 0; i < C3D_PALETTE_SIZE; ++i) {
        palette[i] = PaletteEntry{picture.palette[i * 4], picture.palette[i * 4 + 1],
                                  picture.palette[i * 4 + 2], 0};
    }
    return image.Create(HeaderFor(picture.width, picture.height, picture.bitsPerPixel),
                        picture.bitsPerPixel == 8 ? palette : nullptr, picture.rows.data());
}

using Decoder = Status (*)(std::span<const uint8_t>, Picture&);

Status DecodeInto(Decoder decode, C3dImage& image, std::span<const uint8_t> bytes,
                  const char* format) {
    Picture picture;
    Status decoded = decode(bytes, picture);
    if (!decoded) {
        return decoded;
    }
    if (!CreateFromPicture(image, picture)) {
        return Status::Fail(Failure::OutOfMemory,
                            std::string("Failed to allocate bits for ") + format + " image");
    }
    return Status();
}

int ReadWith(Decoder decode, C3dImage& image, std::span<const uint8_t> bytes, const char* format,
             const char* name) {
    image.Clear();
    if (!Trace(DecodeInto(decode, image, bytes, format))) {
        image.Clear();
        return 0;
    }
    image.SetName(name);
    return 1;
}

bool InsideSource(const C3dImage& source, const SkinRegion& r) {
    return r.x >= 0 && r.y >= 0 && r.width >= 0 && r.height >= 0 &&
           r.x <= source.GetWidth() - r.width && r.y <= source.GetHeight() - r.height &&
           r.newX >= 0 && r.newY >= 0;
}

bool FitsDestination(const C3dImage& destination, const SkinRegion& r) {
    const double across = r.rotated ? r.height * r.scaleY : r.width * r.scaleX;
    const double down = r.rotated ? r.width * r.scaleX : r.height * r.scaleY;
    return across + r.newX <= destination.GetWidth() && down + r.newY <= destination.GetHeight();
}

// Rounding a scaled position to the nearest pixel, computed without overflowing an int.
int PixelAt(double position) {
    const double truncated = std::trunc(position + 0.5);
    return std::fabs(truncated) < 1e9 ? static_cast<int>(truncated) : -1;
}

}  // namespace

std::string BuildImageFilter() {
    return BuildFileFilter(IMAGE_TABLE);
}

int ReadTga(C3dImage& image, std::span<const uint8_t> bytes) {
    return ReadWith(DecodeTga, image, bytes, "TGA", "TGA File image");
}

int ReadPcx(C3dImage& image, std::span<const uint8_t> bytes) {
    return ReadWith(DecodePcx, image, bytes, "PCX", "PCX File image");
}

int ReadM8(C3dImage& image, std::span<const uint8_t> bytes) {
    return ReadWith(DecodeM8, image, bytes, "M8", "M8 File image");
}

int LoadImageFile(C3dImage& image, const std::string& path, Prompts* questions) {
    std::string chosen = path;
    if (chosen.empty()) {
        auto asked = questions ? questions->AskOpenFile({.filter = BuildImageFilter(),
                                                         .defaultExtension = "tga",
                                                         .flags = kOpenExisting})
                               : std::nullopt;
        if (!asked || asked->empty()) {
            return 0;
        }
        chosen = *asked;
    }
    std::vector<uint8_t> bytes;
    if (!Trace(ReadWholeFile(chosen, bytes))) {
        return 0;
    }
    int loaded = 0;
    switch (FileTypeOfPath(IMAGE_TABLE, chosen)) {
        case IMAGE_TGA:
            loaded = ReadTga(image, bytes);
            break;
        case IMAGE_PCX:
            loaded = ReadPcx(image, bytes);
            break;
        case IMAGE_BMP:
            loaded = image.LoadBitmapFile(chosen) ? 1 : 0;
            break;
        case IMAGE_M8:
            loaded = ReadM8(image, bytes);
            break;
        default:
            Trace(Status::BadData("Unknown image format"));
            return 0;
    }
    if (!loaded) {
        image.Clear();
        return 0;
    }
    image.SetName(chosen);
    return 1;
}

int WriteTga(const C3dImage& image, std::vector<uint8_t>& bytes) {
    if (!Is24Bit(image)) {
        return 0;
    }
    Picture picture;
    picture.width = image.GetWidth();
    picture.height = image.GetHeight();
    picture.bitsPerPixel = 24;
    const std::size_t size = static_cast<std::size_t>(image.GetPitch()) * image.GetHeight();
    picture.rows.assign(image.GetBits(), image.GetBits() + size);
    bytes = EncodeTga(picture);
    return 1;
}

int SaveTgaFile(C3dImage& image, const std::string& path, Prompts* questions) {
    std::string chosen = path;
    if (chosen.empty()) {
        auto asked =
            questions
                ? questions->AskSaveFile({.filter = TGA_SAVE_FILTER, .defaultExtension = "tga"})
                : std::nullopt;
        if (!asked || asked->empty()) {
            return 0;
        }
        chosen = *asked;
    }
    std::vector<uint8_t> bytes;
    if (!WriteTga(image, bytes) || !Trace(ReplaceFile(chosen, std::span<const uint8_t>(bytes)))) {
        return 0;
    }
    image.SetName(chosen);
    return 1;
}

std::unique_ptr<C3dImage> ToTrueColour(const C3dImage& image) {
    const int width = image.GetWidth();
    const int height = image.GetHeight();
    if (image.IsEmpty() || (image.GetDepth() != 8 && image.GetDepth() != 24)) {
        return nullptr;
    }
    const int pitch = C3dImage::PitchFor(width, 24);
    std::vector<uint8_t> rows(static_cast<std::size_t>(pitch) * height, 0);
    for (int row = 0; row < height; ++row) {
        const uint8_t* source = image.GetBits() + static_cast<std::size_t>(row) * image.GetPitch();
        uint8_t* target = rows.data() + static_cast<std::size_t>(row) * pitch;
        if (image.GetDepth() == 24) {
            std::memcpy(target, source, static_cast<std::size_t>(width) * 3);
            continue;
        }
        const PaletteEntry* palette = image.GetPalette();
        for (int x = 0; x < width; ++x) {
            const PaletteEntry& entry = palette[source[x]];
            target[x * 3 + 0] = entry.blue;
            target[x * 3 + 1] = entry.green;
            target[x * 3 + 2] = entry.red;
        }
    }
    auto result = std::make_unique<C3dImage>();
    if (!result->Create(HeaderFor(width, height, 24), nullptr, rows.data())) {
        return nullptr;
    }
    return result;
}

bool Is24Bit(const C3dImage& image) {
    return !image.IsEmpty() && image.GetDepth() == 24;
}

bool SetPixel(C3dImage& image, int x, int y, uint8_t r, uint8_t g, uint8_t b) {
    uint8_t* row = Is24Bit(image) && x >= 0 && x < image.GetWidth() ? image.Row(y) : nullptr;
    if (row == nullptr) {
        return false;
    }
    row[x * 3 + 0] = b;
    row[x * 3 + 1] = g;
    row[x * 3 + 2] = r;
    return true;
}

bool GetPixel(const C3dImage& image, int x, int y, uint8_t& r, uint8_t& g, uint8_t& b) {
    const uint8_t* row = Is24Bit(image) && x >= 0 && x < image.GetWidth() ? image.Row(y) : nullptr;
    if (row == nullptr) {
        return false;
    }
    b = row[x * 3 + 0];
    g = row[x * 3 + 1];
    r = row[x * 3 + 2];
    return true;
}

int CreateFilled(C3dImage& image, int width, int height, uint8_t r, uint8_t g, uint8_t b) {
    if (width <= 0 || height <= 0 || width > C3D_MAX_IMAGE_SIDE || height > C3D_MAX_IMAGE_SIDE) {
        return 0;
    }
    const int pitch = C3dImage::PitchFor(width, 24);
    std::vector<uint8_t> rows(static_cast<std::size_t>(pitch) * height, 0);
    for (int row = 0; row < height; ++row) {
        uint8_t* target = rows.data() + static_cast<std::size_t>(row) * pitch;
        for (int x = 0; x < width; ++x) {
            target[x * 3 + 0] = b;
            target[x * 3 + 1] = g;
            target[x * 3 + 2] = r;
        }
    }
    return image.Create(HeaderFor(width, height, 24), nullptr, rows.data()) ? 1 : 0;
}

int CopyRegion(C3dImage& destination, const C3dImage& source, const SkinRegion& region) {
    if (!Is24Bit(destination) || !Is24Bit(source) || !InsideSource(source, region) ||
        !FitsDestination(destination, region)) {
        return 0;
    }
    for (int r = 0; r < region.height; ++r) {
        for (int c = 0; c < region.width; ++c) {
            uint8_t red = 0, green = 0, blue = 0;
            GetPixel(source, region.x + c, region.y + r, red, green, blue);
            const int x = region.rotated
                              ? PixelAt((region.height - 1 - r) * region.scaleY + region.newX)
                              : PixelAt(c * region.scaleX + region.newX);
            const int y = region.rotated ? PixelAt(c * region.scaleX + region.newY)
                                         : PixelAt(r * region.scaleY + region.newY);
            // Rounding may land one pixel past the edge: such pixels are dropped, never
            // written outside the picture.
            SetPixel(destination, x, y, red, green, blue);
        }
    }
    return 1;
}

}  // namespace editor::io
