// Windows bitmap files: the 14-byte file header, a 40-byte (or old 12-byte) information
// header, the palette of 8-bit pictures and the pixel rows. Nothing the file says about sizes
// is used before it is checked against the bytes actually there.
#include <algorithm>
#include <cstdlib>
#include <vector>

#include "bytes/byte_reader.h"
#include "bytes/whole_file.h"
#include "scene/image.h"

namespace scene {

using namespace ::bytes;

namespace {

inline constexpr uint16_t BITMAP_SIGNATURE = 19778;  // "BM"
inline constexpr uint32_t INFO_HEADER_SIZE = 40;
inline constexpr uint32_t CORE_HEADER_SIZE = 12;

bool ReadInfoHeader(ByteReader& in, BitmapInfoHeader& header) {
    uint32_t size;
    if (!in.ReadU32(size)) {
        return false;
    }
    header.size = INFO_HEADER_SIZE;
    if (size == CORE_HEADER_SIZE) {
        uint16_t width, height;
        return in.ReadU16(width) && in.ReadU16(height) && in.ReadU16(header.planes) &&
               in.ReadU16(header.bitCount) && (header.width = width, header.height = height, true);
    }
    return size == INFO_HEADER_SIZE && in.ReadI32(header.width) && in.ReadI32(header.height) &&
           in.ReadU16(header.planes) && in.ReadU16(header.bitCount) &&
           in.ReadU32(header.compression) && in.ReadU32(header.sizeImage) &&
           in.ReadI32(header.xPelsPerMeter) && in.ReadI32(header.yPelsPerMeter) &&
           in.ReadU32(header.clrUsed) && in.ReadU32(header.clrImportant);
}

bool ReadPalette(ByteReader& in, bool core, uint32_t used, PaletteEntry* palette) {
    uint32_t count = core || used == 0 ? C3D_PALETTE_SIZE : used;
    if (count > C3D_PALETTE_SIZE) {
        return false;
    }
    for (uint32_t i = 0; i < count; ++i) {
        PaletteEntry& e = palette[i];
        if (!in.ReadU8(e.blue) || !in.ReadU8(e.green) || !in.ReadU8(e.red) ||
            (!core && !in.ReadU8(e.reserved))) {
            return false;
        }
        e.reserved = 0;
    }
    return true;
}

// Height rows at the padded pitch, returned bottom row first whatever order the file uses.
bool ReadRows(ByteReader& in, int width, int height, int depth, std::vector<uint8_t>& rows) {
    bool topDown = height < 0;
    int count = topDown ? -height : height;
    size_t pitch = static_cast<size_t>(C3dImage::PitchFor(width, depth));
    size_t total = pitch * static_cast<size_t>(count);
    std::span<const uint8_t> stored;
    if (!in.Take(total, stored)) {
        return false;
    }
    rows.assign(stored.begin(), stored.end());
    if (topDown) {
        for (int r = 0; r < count / 2; ++r) {
            std::swap_ranges(rows.begin() + r * pitch, rows.begin() + (r + 1) * pitch,
                             rows.begin() + (count - 1 - r) * pitch);
        }
    }
    return true;
}

bool ParseBitmap(std::span<const uint8_t> bytes, BitmapInfoHeader& header, PaletteEntry* palette,
                 std::vector<uint8_t>& rows) {
    ByteReader in(bytes);
    uint16_t signature;
    uint32_t offBits;
    if (!in.ReadU16(signature) || signature != BITMAP_SIGNATURE || !in.Skip(8) ||
        !in.ReadU32(offBits)) {
        return false;
    }
    size_t headerStart = in.Position();
    if (!ReadInfoHeader(in, header)) {
        return false;
    }
    bool core = in.Position() - headerStart == CORE_HEADER_SIZE;
    if ((header.bitCount != 8 && header.bitCount != 24) || header.compression != 0 ||
        header.width <= 0 || header.width > C3D_MAX_IMAGE_SIDE || header.height == 0 ||
        header.height < -C3D_MAX_IMAGE_SIDE || header.height > C3D_MAX_IMAGE_SIDE) {
        return false;
    }
    if (header.bitCount == 8 && !ReadPalette(in, core, header.clrUsed, palette)) {
        return false;
    }
    // Pixels start where the file header says when that lies after what has been read, so
    // gaps and unused palettes are stepped over; never before.
    if (offBits > in.Position() && !in.Seek(offBits)) {
        return false;
    }
    if (!ReadRows(in, header.width, header.height, header.bitCount, rows)) {
        return false;
    }
    header.height = std::abs(header.height);
    header.clrUsed = 0;
    return true;
}

}  // namespace

bool C3dImage::LoadBitmapFile(const std::string& path) {
    std::string chosen =
        path.empty() ? ChooseOpenFile("Windows bitmaps (*.BMP)|*.BMP|All files (*.*)|*.*||") : path;
    if (chosen.empty()) {
        return Fail(C3D_E_NOTFOUND);
    }
    std::vector<uint8_t> bytes;
    if (!Trace(ReadWholeFile(chosen, bytes))) {
        Clear();
        return Fail(C3D_E_NOTFOUND);
    }
    if (!LoadBitmapBytes(bytes)) {
        return false;
    }
    SetName(chosen);
    return Succeed();
}

bool C3dImage::LoadBitmapBytes(std::span<const uint8_t> bytes) {
    Clear();
    BitmapInfoHeader header;
    PaletteEntry palette[C3D_PALETTE_SIZE] = {};
    std::vector<uint8_t> rows;
    if (!ParseBitmap(bytes, header, palette, rows) || !Create(header, palette, rows.data())) {
        Clear();
        return Fail(C3D_E_BADFILE);
    }
    return Succeed();
}

}  // namespace scene
