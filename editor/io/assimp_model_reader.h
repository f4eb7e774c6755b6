#pragma once
// Every mesh format the installed assimp library reads (FBX, glTF, Collada, IQM, MD5, PLY,
// .blend, ...): the whole scene as one model in the editor's axes, with the file's skeleton and
// skin weights when it has them.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "bytes/status.h"
#include "editor/io/imported_model.h"

namespace editor::io {

// More than this many triangles is no character: the file is refused before anything is sized
// by its counts.
inline constexpr std::size_t MAX_SOURCE_TRIANGLES = 2000000;
// Bones of the file's skeleton kept; a skeleton beyond this is no character's either.
inline constexpr std::size_t MAX_SOURCE_BONES = 1024;

// Whether assimp reads files with the path's extension (case ignored).
bool AssimpReadsExtension(const std::string& path);
// "*.fbx;*.gltf;..." for every extension assimp reads, except those given (with their dot).
std::string AssimpPatterns(const std::vector<std::string>& except);

// The pictures the file's materials name as their diffuse maps, the first material's first
// (pictures inside the file, "*0", are left out); empty when it names none or cannot be read.
std::vector<std::string> AssimpSkinNames(const std::string& path);

// Reads the file at path (files it names, such as a glTF's buffers, beside it). Every mesh of
// the scene is merged with its node transform applied; the first texture channel is kept;
// +Y up (assimp's axes) becomes +Z up with the front facing -X, as the player skeleton
// stands. Refused with the reason (assimp's own when it could not read the file). assimp runs in
// a child process: a file that crashes or hangs it is refused with "assimp stopped while reading
// 'NAME' (signal N)" (or "(no answer within 60 s)").
bytes::Status ReadAssimpModel(const std::string& path, ImportedModel& model);
// The same from bytes, in this process (for the fuzzer); extension (without dot) tells assimp
// the format.
bytes::Status ReadAssimpModel(std::span<const uint8_t> bytes, const std::string& extension,
                              ImportedModel& model);

}  // namespace editor::io
