#pragma once
// Byte layout of FlexModel (".fm") files: record sizes, chunk names and versions, and the
// records both the converter and the editor read and write.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace flexmodel {

// Capacities of the data a FlexModel carries; readers refuse anything larger.
constexpr int FLEX_MAX_ELEMENTS = 2048;
constexpr int FLEX_MAX_VERTICES = FLEX_MAX_ELEMENTS;
constexpr int FLEX_MAX_TRIANGLES = FLEX_MAX_ELEMENTS;
constexpr int FLEX_MAX_ST_COORDS = FLEX_MAX_ELEMENTS;
constexpr int FLEX_MAX_MESH_NODES = 16;
// A mesh node's masks hold one bit per triangle and per vertex.
constexpr int FLEX_MASK_BITS = FLEX_MAX_ELEMENTS;

constexpr std::size_t CHUNK_IDENT_SIZE = 32;
constexpr std::size_t CHUNK_HEADER_SIZE = 40;
// The "header" chunk comes first, so its data always starts right after its chunk header.
constexpr std::size_t HEADER_DATA_OFFSET = CHUNK_HEADER_SIZE;
constexpr std::size_t HEADER_DATA_SIZE = 40;
constexpr std::size_t SKIN_NAME_SIZE = 64;
constexpr std::size_t ST_COORD_SIZE = 4;
constexpr std::size_t TRIANGLE_RECORD_SIZE = 12;
constexpr std::size_t FRAME_NAME_SIZE = 16;
constexpr std::size_t FRAME_HEADER_SIZE = 40;
constexpr std::size_t PACKED_VERTEX_SIZE = 4;
constexpr std::size_t MASK_BYTES = FLEX_MASK_BITS / 8;
constexpr std::size_t MESH_NODE_RECORD_SIZE = 2 * MASK_BYTES + 4;
constexpr std::size_t GL_VERTEX_WORDS = 3;
constexpr int SKELETON_JOINT_COUNT = 3;
constexpr int REFERENCE_POINT_COUNT = 7;
// Each skeleton joint and reference point is an origin, a direction point and an up point.
constexpr std::size_t FLOATS_PER_ORIENTED_POINT = 9;
constexpr std::size_t SKELETON_FRAME_FLOATS = SKELETON_JOINT_COUNT * FLOATS_PER_ORIENTED_POINT;
constexpr std::size_t REFERENCE_FRAME_FLOATS = REFERENCE_POINT_COUNT * FLOATS_PER_ORIENTED_POINT;
constexpr std::size_t REFERENCES_PREFIX_SIZE = 8;

struct ChunkKind {
    std::string_view ident;
    int32_t version;
};

inline constexpr ChunkKind HEADER_CHUNK{"header", 2};
inline constexpr ChunkKind SKIN_CHUNK{"skin", 1};
inline constexpr ChunkKind ST_COORD_CHUNK{"st coord", 1};
inline constexpr ChunkKind TRIS_CHUNK{"tris", 1};
inline constexpr ChunkKind FRAMES_CHUNK{"frames", 1};
inline constexpr ChunkKind GLCMDS_CHUNK{"glcmds", 1};
inline constexpr ChunkKind MESH_NODES_CHUNK{"mesh nodes", 3};
inline constexpr ChunkKind SKELETON_CHUNK{"skeleton", 1};
inline constexpr ChunkKind REFERENCES_CHUNK{"references", 1};

struct ChunkHeader {
    std::array<char, CHUNK_IDENT_SIZE> ident{};
    int32_t version = 0;
    int32_t size = 0;

    // The name up to its NUL, never past the 32-byte field.
    std::string_view Ident() const;
};

// The ten int32 fields of the "header" chunk, in file order.
struct FlexHeader {
    int32_t skinWidth = 0;
    int32_t skinHeight = 0;
    int32_t frameSize = 0;
    int32_t numSkins = 0;
    int32_t numXyz = 0;
    int32_t numSt = 0;
    int32_t numTris = 0;
    int32_t numGlCmds = 0;
    int32_t numFrames = 0;
    int32_t numMeshNodes = 0;
};

struct FrameHeader {
    std::array<float, 3> scale{};
    std::array<float, 3> translate{};
    std::array<char, FRAME_NAME_SIZE> name{};

    std::string_view Name() const;
};

struct PackedVertex {
    uint8_t x = 0;
    uint8_t y = 0;
    uint8_t z = 0;
    uint8_t normalIndex = 0;
};

struct StCoord {
    int16_t s = 0;
    int16_t t = 0;
};

struct TriangleRecord {
    std::array<int16_t, 3> vertexIndex{};
    std::array<int16_t, 3> stIndex{};
};

struct MeshNodeRecord {
    std::array<uint8_t, MASK_BYTES> triangleMask{};
    std::array<uint8_t, MASK_BYTES> vertexMask{};
    int16_t glStart = 0;
    int16_t glCount = 0;
};

// Bit i of a mask is bit (i mod 8), least significant first, of byte i / 8.
bool MaskBit(const std::array<uint8_t, MASK_BYTES>& mask, int index);
void SetMaskBit(std::array<uint8_t, MASK_BYTES>& mask, int index);

// Copies a name into a fixed-width field, zero-filled; too long a name is cut so that the
// field keeps its NUL.
template <std::size_t N>
void SetFixedName(std::array<char, N>& field, std::string_view name) {
    field.fill('\0');
    name = name.substr(0, N - 1);
    for (std::size_t i = 0; i < name.size(); ++i) {
        field[i] = name[i];
    }
}

// The text of a fixed-width name field, up to its NUL or the end of the field.
std::string_view FixedNameView(const char* field, std::size_t width);

}  // namespace flexmodel
