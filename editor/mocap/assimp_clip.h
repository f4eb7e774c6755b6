#pragma once
// Animated scene files (FBX, glTF, Collada, .x, IQM, MD5, CSM, ...) read through assimp as the
// clips BVH files are: the animated skeleton's joints with their rest offsets, and one row of
// channel values per sampled frame, so that the same retargeting drives the player.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "bytes/status.h"
#include "editor/mocap/bvh_clip.h"

namespace editor::mocap {

using namespace ::bytes;

// Whether the path names a BVH clip (by its extension, case ignored); others go to assimp.
bool IsBvhPath(const std::string& path);

// The names of the file's animations in order ("animation N" for one without a name). Refused
// with the reason when assimp cannot read the file or it holds no animation.
Status ListClipTakes(const std::string& path, std::vector<std::string>& takes);

// The animation called take (case ignored; empty: the first) as a clip in the file's axes
// (+Y up), sampled at its own key rate. Refused with the reason. This and ListClipTakes run
// assimp in a child process: a file that crashes or hangs it is refused with "assimp stopped
// while reading 'NAME' (...)".
Status ReadAssimpClip(const std::string& path, const std::string& take, BvhClip& clip);
// The same from bytes, in this process (for the fuzzer); extension (without dot) tells assimp
// the format.
Status ReadAssimpClip(std::span<const uint8_t> bytes, const std::string& extension,
                      const std::string& take, BvhClip& clip);

}  // namespace editor::mocap
