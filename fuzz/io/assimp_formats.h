#pragma once
// The formats the assimp fuzz targets feed: the first byte of an input picks one (modulo the
// count), the rest is the file. scripts/make-assimp-corpus.sh builds seeds the same way.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

inline constexpr std::array<const char*, 16> ASSIMP_FUZZ_FORMATS = {
    "fbx",  "gltf", "glb", "dae", "iqm", "md5mesh", "ply", "blend",
    "ms3d", "smd",  "stl", "off", "md3", "3mf",     "ac",  "csm",
};

struct FuzzFile {
    std::string extension;
    std::span<const uint8_t> bytes;
};

inline FuzzFile SplitFuzzInput(const uint8_t* data, std::size_t size) {
    if (size == 0) {
        return {ASSIMP_FUZZ_FORMATS[0], {}};
    }
    return {ASSIMP_FUZZ_FORMATS[data[0] % ASSIMP_FUZZ_FORMATS.size()], {data + 1, size - 1}};
}
