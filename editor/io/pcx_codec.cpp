#include "editor/io/pcx_codec.h"

#include <cstring>
#include <vector>

#include "bytes/byte_reader.h"

namespace editor::io {

using namespace ::bytes;

namespace {

constexpr std::size_t PCX_HEADER_SIZE = 128;
constexpr std::size_t PCX_PALETTE_SIZE = 768;
constexpr uint8_t PCX_PALETTE_MARKER = 0x0C;
constexpr uint8_t PCX_RUN_FLAGS = 0xC0;
// One run byte pair gives at most 63 pixels: more pixels than that cannot be in the data.
constexpr std::size_t PCX_MAX_RUN = 63;

struct PcxHeader {
    uint8_t version = 0;
    uint8_t bitsPerPixel = 0;
    int16_t xmin = 0, ymin = 0, xmax = 0, ymax = 0;
    uint8_t planes = 0;
    int16_t bytesPerLine = 0;
};

int16_t Int16At(const uint8_t* p) {
    return static_cast<int16_t>(p[0] | p[1] << 8);
}

PcxHeader ParseHeader(const uint8_t* h) {
    PcxHeader header;
    header.version = h[1];
    header.bitsPerPixel = h[3];
    header.xmin = Int16At(h + 4);
    header.ymin = Int16At(h + 6);
    header.xmax = Int16At(h + 8);
    header.ymax = Int16At(h + 10);
    header.planes = h[65];
    header.bytesPerLine = Int16At(h + 66);
    return header;
}

bool HasPaletteMarker(std::span<const uint8_t> bytes) {
    return bytes.size() >= PCX_HEADER_SIZE + PCX_PALETTE_SIZE + 1 &&
           bytes[bytes.size() - PCX_PALETTE_SIZE - 1] == PCX_PALETTE_MARKER;
}

bool Recognised(const PcxHeader& h, std::span<const uint8_t> bytes) {
    if (h.version <= 4 || h.bitsPerPixel != 8) {
        return false;
    }
    return h.planes == 3 || (h.planes == 1 && HasPaletteMarker(bytes));
}

// Decodes until `decoded` is full; a run past its end is cut there. False when the data ends
// first.
bool DecodeRuns(ByteReader& in, std::vector<uint8_t>& decoded) {
    std::size_t filled = 0;
    while (filled < decoded.size()) {
        uint8_t byte = 0;
        if (!in.ReadU8(byte)) {
            return false;
        }
        std::size_t count = 1;
        if ((byte & PCX_RUN_FLAGS) == PCX_RUN_FLAGS) {
            count = byte & ~PCX_RUN_FLAGS;
            if (!in.ReadU8(byte)) {
                return false;
            }
        }
        count = std::min(count, decoded.size() - filled);
        std::memset(decoded.data() + filled, byte, count);
        filled += count;
    }
    return true;
}

void BuildTrueColourRows(const std::vector<uint8_t>& decoded, std::size_t bytesPerLine,
                         Picture& picture) {
    const std::size_t pitch = picture.Pitch();
    picture.rows.assign(pitch * picture.height, 0);
    for (int32_t row = 0; row < picture.height; ++row) {
        const uint8_t* line = decoded.data() + row * bytesPerLine * 3;
        uint8_t* target = picture.rows.data() + row * pitch;
        for (int32_t x = 0; x < picture.width; ++x) {
            target[x * 3 + 0] = line[2 * bytesPerLine + x];
            target[x * 3 + 1] = line[bytesPerLine + x];
            target[x * 3 + 2] = line[x];
        }
    }
}

void BuildPaletteRows(const std::vector<uint8_t>& decoded, std::size_t bytesPerLine,
                      std::span<const uint8_t> bytes, Picture& picture) {
    const uint8_t* palette = bytes.data() + bytes.size() - PCX_PALETTE_SIZE;
    for (int i = 0; i < 256; ++i) {
        picture.palette[i * 4 + 0] = palette[i * 3 + 2];
        picture.palette[i * 4 + 1] = palette[i * 3 + 1];
        picture.palette[i * 4 + 2] = palette[i * 3 + 0];
        picture.palette[i * 4 + 3] = 0;
    }
    const std::size_t pitch = picture.Pitch();
    picture.rows.assign(pitch * picture.height, 0);
    for (int32_t row = 0; row < picture.height; ++row) {
        std::memcpy(picture.rows.data() + row * pitch, decoded.data() + row * bytesPerLine,
                    picture.width);
    }
}

}  // namespace

Status DecodePcx(std::span<const uint8_t> bytes, Picture& picture) {
    picture = Picture{};
    ByteReader in(bytes);
    uint8_t raw[PCX_HEADER_SIZE];
    if (!in.ReadBytes(raw, PCX_HEADER_SIZE)) {
        return Status::BadData("Failed to read PCX file header");
    }
    const PcxHeader header = ParseHeader(raw);
    const int32_t width = header.xmax - header.xmin + 1;
    const int32_t height = header.ymax - header.ymin + 1;
    // A line shorter than the picture's width would make every row read past its line.
    if (!Recognised(header, bytes) || width <= 0 || height <= 0 || width > MAX_PICTURE_SIDE ||
        height > MAX_PICTURE_SIDE || header.bytesPerLine < width) {
        return Status::BadData("Not a recognized PCX file");
    }
    const std::size_t bytesPerLine = static_cast<std::size_t>(header.bytesPerLine);
    const std::size_t decodedSize = bytesPerLine * header.planes * height;
    if (decodedSize > in.Remaining() * PCX_MAX_RUN) {
        return Status::BadData("Failed to read PCX bits");
    }
    std::vector<uint8_t> decoded(decodedSize);
    if (!DecodeRuns(in, decoded)) {
        return Status::BadData("Failed to read PCX bits");
    }
    picture.width = width;
    picture.height = height;
    picture.bitsPerPixel = header.planes == 3 ? 24 : 8;
    if (header.planes == 3) {
        BuildTrueColourRows(decoded, bytesPerLine, picture);
    } else {
        BuildPaletteRows(decoded, bytesPerLine, bytes, picture);
    }
    // PCX stores the top row first.
    ReverseRows(picture.rows, picture.Pitch(), picture.height);
    return Status();
}

}  // namespace editor::io
