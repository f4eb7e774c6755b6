#pragma once
// The chunk layout of 3D Studio files that every reader of them shares: a 6-byte header (16-bit
// id, 32-bit length counting the header) and the ids of the chunks that hold the scene.

#include <cstddef>
#include <cstdint>

namespace editor::io {

inline constexpr uint16_t CHUNK_3DS_MAIN = 0x4D4D;
inline constexpr uint16_t CHUNK_3DS_EDITOR = 0x3D3D;
inline constexpr std::size_t CHUNK_3DS_HEADER_BYTES = 6;

}  // namespace editor::io
