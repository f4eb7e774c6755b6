#include "editor/io/m8_codec.h"

#include <algorithm>
#include <string>

#include "bytes/byte_reader.h"
#include "bytes/byte_writer.h"

namespace editor::io {

using namespace ::bytes;

namespace {

constexpr std::size_t M8_WIDTHS_AT = 4 + M8_NAME_SIZE;
constexpr std::size_t M8_HEIGHTS_AT = M8_WIDTHS_AT + M8_LEVELS * 4;
constexpr std::size_t M8_OFFSETS_AT = M8_HEIGHTS_AT + M8_LEVELS * 4;
constexpr std::size_t M8_ANIMATION_NAME_AT = M8_OFFSETS_AT + M8_LEVELS * 4;
constexpr std::size_t M8_PALETTE_AT = M8_ANIMATION_NAME_AT + M8_NAME_SIZE;
static_assert(M8_PALETTE_AT + M8_PALETTE_COLOURS * 3 + 3 * 4 == M8_HEADER_SIZE);

struct LevelPlace {
    uint32_t width = 0;
    uint32_t height = 0;
    uint32_t offset = 0;
};

std::string LevelText(int level) {
    return "M8 level " + std::to_string(level);
}

// Whether the level lies where it may; the reason when it does not.
Status CheckPlace(const ByteReader& in, int level, const LevelPlace& place) {
    if (place.width > M8_MAX_SIDE || place.height > M8_MAX_SIDE) {
        return Status::BadData(LevelText(level) + " is " + std::to_string(place.width) + " x " +
                               std::to_string(place.height) + " pixels: each side must be 1 to " +
                               std::to_string(M8_MAX_SIDE));
    }
    if (place.offset < M8_HEADER_SIZE) {
        return Status::BadData(LevelText(level) + " overlaps the header: it starts at byte " +
                               std::to_string(place.offset) + ", the pictures at " +
                               std::to_string(M8_HEADER_SIZE));
    }
    const std::size_t size = static_cast<std::size_t>(place.width) * place.height;
    if (!in.Contains(place.offset, size)) {
        return Status::BadData(
            LevelText(level) + " runs past the end of the file: " + std::to_string(size) +
            " bytes at byte " + std::to_string(place.offset) + " of " + std::to_string(in.Size()));
    }
    return Status();
}

// The places of the levels, level 0 first, up to the first level with a side of 0.
Status ReadPlaces(const ByteReader& in, std::vector<LevelPlace>& places) {
    for (int level = 0; level < M8_LEVELS; ++level) {
        const std::size_t at = static_cast<std::size_t>(level) * 4;
        LevelPlace place{*in.Uint32(M8_WIDTHS_AT + at), *in.Uint32(M8_HEIGHTS_AT + at),
                         *in.Uint32(M8_OFFSETS_AT + at)};
        if (place.width == 0 || place.height == 0) {
            if (level == 0) {
                return Status::BadData(LevelText(0) + " is " + std::to_string(place.width) + " x " +
                                       std::to_string(place.height) +
                                       " pixels: each side must be 1 to " +
                                       std::to_string(M8_MAX_SIDE));
            }
            return Status();
        }
        Status fits = CheckPlace(in, level, place);
        if (!fits) {
            return fits;
        }
        places.push_back(place);
    }
    return Status();
}

void CopyPalette(const ByteReader& in, Picture& picture) {
    const std::span<const uint8_t> rgb = *in.Slice(M8_PALETTE_AT, M8_PALETTE_COLOURS * 3);
    for (std::size_t i = 0; i < M8_PALETTE_COLOURS; ++i) {
        picture.palette[i * 4 + 0] = rgb[i * 3 + 2];
        picture.palette[i * 4 + 1] = rgb[i * 3 + 1];
        picture.palette[i * 4 + 2] = rgb[i * 3 + 0];
        picture.palette[i * 4 + 3] = 0;
    }
}

// The level's rows, top row first in the file, bottom-up at the padded pitch in the picture.
void CopyRows(const ByteReader& in, const LevelPlace& place, Picture& picture) {
    picture.width = static_cast<int32_t>(place.width);
    picture.height = static_cast<int32_t>(place.height);
    picture.bitsPerPixel = 8;
    const std::size_t pitch = static_cast<std::size_t>(picture.Pitch());
    picture.rows.assign(pitch * place.height, 0);
    const std::span<const uint8_t> indices =
        *in.Slice(place.offset, static_cast<std::size_t>(place.width) * place.height);
    for (uint32_t row = 0; row < place.height; ++row) {
        const auto source = indices.begin() + static_cast<std::ptrdiff_t>(row) * place.width;
        std::copy(
            source, source + place.width,
            picture.rows.begin() + static_cast<std::ptrdiff_t>((place.height - 1 - row) * pitch));
    }
}

}  // namespace

Status DecodeM8(std::span<const uint8_t> bytes, Picture& picture) {
    picture = Picture{};
    const ByteReader in(bytes);
    if (bytes.size() < M8_HEADER_SIZE) {
        return Status::BadData("M8 file cut short: " + std::to_string(bytes.size()) +
                               " bytes, the header alone takes " + std::to_string(M8_HEADER_SIZE));
    }
    const int32_t version = *in.Int32(0);
    if (version != M8_VERSION) {
        return Status::BadData("Not an M8 file: version " + std::to_string(version) +
                               ", expected " + std::to_string(M8_VERSION));
    }
    std::vector<LevelPlace> places;
    Status placed = ReadPlaces(in, places);
    if (!placed) {
        return placed;
    }
    CopyPalette(in, picture);
    CopyRows(in, places.front(), picture);
    return Status();
}

std::vector<uint8_t> EncodeM8(const M8Picture& picture) {
    const std::size_t count = std::min<std::size_t>(picture.levels.size(), M8_LEVELS);
    ByteWriter out;
    out.AppendInt32(M8_VERSION);
    out.AppendFixedName(picture.name, M8_NAME_SIZE);
    for (std::size_t level = 0; level < M8_LEVELS; ++level) {
        out.AppendUint32(level < count ? static_cast<uint32_t>(picture.levels[level].width) : 0);
    }
    for (std::size_t level = 0; level < M8_LEVELS; ++level) {
        out.AppendUint32(level < count ? static_cast<uint32_t>(picture.levels[level].height) : 0);
    }
    std::size_t offset = M8_HEADER_SIZE;
    for (std::size_t level = 0; level < M8_LEVELS; ++level) {
        out.AppendUint32(level < count ? static_cast<uint32_t>(offset) : 0);
        offset += level < count ? picture.levels[level].indices.size() : 0;
    }
    out.AppendFixedName("", M8_NAME_SIZE);
    out.AppendBytes(picture.palette);
    out.AppendInt32(0);  // flags
    out.AppendInt32(0);  // contents
    out.AppendInt32(0);  // value
    for (std::size_t level = 0; level < count; ++level) {
        out.AppendBytes(picture.levels[level].indices);
    }
    return out.Take();
}

}  // namespace editor::io
