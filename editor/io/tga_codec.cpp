#include "editor/io/tga_codec.h"

#include <array>
#include <cstring>

#include "bytes/byte_reader.h"
#include "bytes/byte_writer.h"

namespace editor::io {

using namespace ::bytes;

namespace {

constexpr std::size_t TGA_HEADER_SIZE = 18;
constexpr uint8_t TGA_PALETTE_IMAGE = 1;
constexpr uint8_t TGA_TRUE_COLOUR_IMAGE = 2;
constexpr uint8_t TGA_TOP_LEFT_ORIGIN = 0x20;

struct TgaHeader {
    uint8_t idLength = 0;
    uint8_t colourMapType = 0;
    uint8_t imageType = 0;
    uint16_t colourMapFirst = 0;
    uint16_t colourMapLength = 0;
    uint8_t colourMapEntrySize = 0;
    uint16_t width = 0;
    uint16_t height = 0;
    uint8_t pixelDepth = 0;
    uint8_t descriptor = 0;
};

TgaHeader ParseHeader(const uint8_t* h) {
    TgaHeader header;
    header.idLength = h[0];
    header.colourMapType = h[1];
    header.imageType = h[2];
    header.colourMapFirst = static_cast<uint16_t>(h[3] | h[4] << 8);
    header.colourMapLength = static_cast<uint16_t>(h[5] | h[6] << 8);
    header.colourMapEntrySize = h[7];
    header.width = static_cast<uint16_t>(h[12] | h[13] << 8);
    header.height = static_cast<uint16_t>(h[14] | h[15] << 8);
    header.pixelDepth = h[16];
    header.descriptor = h[17];
    return header;
}

// A palette of up to 256 entries; entries the file does not give stay black.
bool IsPaletteImage(const TgaHeader& h) {
    return h.imageType == TGA_PALETTE_IMAGE && h.pixelDepth == 8 && h.colourMapEntrySize == 24 &&
           h.colourMapFirst + h.colourMapLength <= 256;
}

bool IsTrueColourImage(const TgaHeader& h) {
    return h.imageType == TGA_TRUE_COLOUR_IMAGE && h.pixelDepth == 24;
}

bool ReadPalette(ByteReader& in, const TgaHeader& header, Picture& picture) {
    const int end = header.colourMapFirst + header.colourMapLength;
    for (int i = header.colourMapFirst; i < end; ++i) {
        if (!in.ReadBytes(&picture.palette[i * 4], 3)) {
            return false;
        }
        picture.palette[i * 4 + 3] = 0;
    }
    return true;
}

bool ReadRows(ByteReader& in, Picture& picture) {
    const std::size_t rowSize =
        static_cast<std::size_t>(picture.width) * (picture.bitsPerPixel / 8);
    const std::size_t pitch = picture.Pitch();
    if (rowSize * picture.height > in.Remaining()) {
        return false;
    }
    picture.rows.assign(pitch * picture.height, 0);
    for (int32_t row = 0; row < picture.height; ++row) {
        in.ReadBytes(picture.rows.data() + row * pitch, rowSize);
    }
    return true;
}

}  // namespace

Status DecodeTga(std::span<const uint8_t> bytes, Picture& picture) {
    picture = Picture{};
    ByteReader in(bytes);
    uint8_t raw[TGA_HEADER_SIZE];
    if (!in.ReadBytes(raw, TGA_HEADER_SIZE)) {
        return Status::BadData("Failed to read TGA file header");
    }
    const TgaHeader header = ParseHeader(raw);
    const bool palette = IsPaletteImage(header);
    if ((!palette && !IsTrueColourImage(header)) || header.width == 0 || header.height == 0 ||
        header.width > MAX_PICTURE_SIDE || header.height > MAX_PICTURE_SIDE) {
        return Status::BadData("Not a recognized TGA file");
    }
    in.Skip(header.idLength);
    picture.width = header.width;
    picture.height = header.height;
    picture.bitsPerPixel = palette ? 8 : 24;
    if (palette && !ReadPalette(in, header, picture)) {
        picture = Picture{};
        return Status::BadData("Failed to read TGA palette entry");
    }
    if (!palette && header.colourMapType != 0) {
        in.Skip(static_cast<std::size_t>(header.colourMapLength) * 3);
    }
    if (!ReadRows(in, picture)) {
        picture = Picture{};
        return Status::BadData("Failed to read TGA bits");
    }
    // Rows handed on are always bottom-up.
    if (header.descriptor & TGA_TOP_LEFT_ORIGIN) {
        ReverseRows(picture.rows, picture.Pitch(), picture.height);
    }
    return Status();
}

std::vector<uint8_t> EncodeTga(const Picture& picture) {
    ByteWriter out;
    out.AppendUint8(0);  // no image id
    out.AppendUint8(0);  // no colour map
    out.AppendUint8(TGA_TRUE_COLOUR_IMAGE);
    out.AppendBytes(std::array<uint8_t, 5>{});  // the absent colour map's description
    out.AppendUint16(0);                        // origin x
    out.AppendUint16(0);                        // origin y
    out.AppendUint16(static_cast<uint16_t>(picture.width));
    out.AppendUint16(static_cast<uint16_t>(picture.height));
    out.AppendUint8(24);
    out.AppendUint8(0);  // bottom-up rows
    const std::size_t rowSize = static_cast<std::size_t>(picture.width) * 3;
    const std::size_t pitch = picture.Pitch();
    for (int32_t row = 0; row < picture.height; ++row) {
        out.AppendBytes(std::span(picture.rows.data() + row * pitch, rowSize));
    }
    return out.Take();
}

}  // namespace editor::io
