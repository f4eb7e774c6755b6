#include "editor/io/md2_layout.h"

#include "bytes/byte_reader.h"

namespace editor::io {

using namespace ::bytes;

namespace {

constexpr std::size_t MD2_HEADER_WORDS = 17;

enum Md2Field {
    SKIN_WIDTH = 2,
    SKIN_HEIGHT = 3,
    FRAME_SIZE = 4,
    NUM_SKINS = 5,
    NUM_XYZ = 6,
    NUM_ST = 7,
    NUM_TRIS = 8,
    NUM_FRAMES = 10,
    OFS_SKINS = 11,
    OFS_ST = 12,
    OFS_TRIS = 13,
    OFS_FRAMES = 14,
};

bool Section(std::span<const uint8_t> bytes, int32_t offset, std::span<const uint8_t>& out) {
    if (offset < 0 || static_cast<std::size_t>(offset) > bytes.size()) {
        return false;
    }
    out = bytes.subspan(static_cast<std::size_t>(offset));
    return true;
}

}  // namespace

std::optional<QuakeModelLayout> Md2Layout(std::span<const uint8_t> bytes) {
    const ByteReader in(bytes);
    int32_t header[MD2_HEADER_WORDS];
    for (std::size_t i = 0; i < MD2_HEADER_WORDS; ++i) {
        auto word = in.Int32(i * 4);
        if (!word) {
            return std::nullopt;
        }
        header[i] = *word;
    }
    QuakeModelLayout layout;
    layout.frameSize = header[FRAME_SIZE];
    layout.numXyz = header[NUM_XYZ];
    layout.numSt = header[NUM_ST];
    layout.numTris = header[NUM_TRIS];
    layout.numFrames = header[NUM_FRAMES];
    layout.skinWidth = header[SKIN_WIDTH];
    layout.skinHeight = header[SKIN_HEIGHT];
    layout.numSkins = header[NUM_SKINS];
    // The skin names are optional: a bad offset leaves them out, not the mesh.
    if (!Section(bytes, header[OFS_SKINS], layout.skins)) {
        layout.skins = {};
    }
    if (!Section(bytes, header[OFS_ST], layout.stCoords) ||
        !Section(bytes, header[OFS_TRIS], layout.triangles) ||
        !Section(bytes, header[OFS_FRAMES], layout.frames)) {
        return std::nullopt;
    }
    return layout;
}

}  // namespace editor::io
