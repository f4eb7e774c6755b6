// Windows bitmap files: the 14-byte file header, a 40-byte (or old 12-byte) information
// header, the palette of 8-bit pictures and the pixel rows. Nothing the file says about sizes
// is used before it is checked against the bytes actually there.
#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

#include "scene/image.h"

namespace scene {

namespace {

inline constexpr uint16_t BITMAP_SIGNATURE = 19778;  // "BM"
inline constexpr uint32_t INFO_HEADER_SIZE = 40;
inline constexpr uint32_t CORE_HEADER_SIZE = 12;
inline constexpr size_t FILE_HEADER_SIZE = 14;
// Larger files are not pictures this program can use.
inline constexpr std::streamoff MAX_BITMAP_FILE = std::streamoff(1) << 30;

// Little-endian reads from a byte buffer that fail instead of running past its end.
class ByteReader {
  public:
    explicit ByteReader(std::span<const uint8_t> bytes) : bytes_(bytes) {}

    bool Has(size_t count) const { return count <= bytes_.size() - at_; }
    size_t Position() const { return at_; }
    size_t Size() const { return bytes_.size(); }
    const uint8_t* Here() const { return bytes_.data() + at_; }
    bool Skip(size_t count) {
        if (!Has(count)) {
            return false;
        }
        at_ += count;
        return true;
    }
    bool Seek(size_t position) {
        if (position > bytes_.size()) {
            return false;
        }
        at_ = position;
        return true;
    }
    bool U8(uint8_t& value) { return Little(value); }
    bool U16(uint16_t& value) { return Little(value); }
    bool U32(uint32_t& value) { return Little(value); }
    bool I32(int32_t& value) {
        uint32_t raw;
        if (!U32(raw)) {
            return false;
        }
        value = static_cast<int32_t>(raw);
        return true;
    }

  private:
    template <typename T>
    bool Little(T& value) {
        if (!Has(sizeof(T))) {
            return false;
        }
        uint64_t v = 0;
        for (size_t i = 0; i < sizeof(T); ++i) {
            v |= uint64_t(bytes_[at_ + i]) << (8 * i);
        }
        at_ += sizeof(T);
        value = static_cast<T>(v);
        return true;
    }

    std::span<const uint8_t> bytes_;
    size_t at_ = 0;
};

bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return false;
    }
    file.seekg(0, std::ios::end);
    std::streamoff size = file.tellg();
    if (size < 0 || size > MAX_BITMAP_FILE) {
        return false;
    }
    file.seekg(0, std::ios::beg);
    bytes.resize(static_cast<size_t>(size));
    return static_cast<bool>(file.read(reinterpret_cast<char*>(bytes.data()), size));
}

bool ReadInfoHeader(ByteReader& in, BitmapInfoHeader& header) {
    uint32_t size;
    if (!in.U32(size)) {
        return false;
    }
    header.size = INFO_HEADER_SIZE;
    if (size == CORE_HEADER_SIZE) {
        uint16_t width, height;
        return in.U16(width) && in.U16(height) && in.U16(header.planes) &&
               in.U16(header.bitCount) && (header.width = width, header.height = height, true);
    }
    return size == INFO_HEADER_SIZE && in.I32(header.width) && in.I32(header.height) &&
           in.U16(header.planes) && in.U16(header.bitCount) && in.U32(header.compression) &&
           in.U32(header.sizeImage) && in.I32(header.xPelsPerMeter) &&
           in.I32(header.yPelsPerMeter) && in.U32(header.clrUsed) && in.U32(header.clrImportant);
}

bool ReadPalette(ByteReader& in, bool core, uint32_t used, PaletteEntry* palette) {
    uint32_t count = core || used == 0 ? C3D_PALETTE_SIZE : used;
    if (count > C3D_PALETTE_SIZE) {
        return false;
    }
    for (uint32_t i = 0; i < count; ++i) {
        PaletteEntry& e = palette[i];
        if (!in.U8(e.blue) || !in.U8(e.green) || !in.U8(e.red) || (!core && !in.U8(e.reserved))) {
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
    if (!in.Has(total)) {
        return false;
    }
    rows.assign(in.Here(), in.Here() + total);
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
    if (!in.U16(signature) || signature != BITMAP_SIGNATURE || !in.Skip(8) || !in.U32(offBits)) {
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
    if (!ReadWholeFile(chosen, bytes)) {
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
