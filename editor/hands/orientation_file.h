#pragma once
// The orientation file (.ori): where the model or the prop stands in the scene. Three records
// of a tag word and three little-endian floats: position, direction (forward) and up; 48 bytes,
// no header.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "bytes/status.h"
#include "scene/vector.h"

namespace editor::hands {

using namespace ::scene;

inline constexpr std::size_t ORIENTATION_FILE_BYTES = 48;
inline constexpr const char* ORIENTATION_FILE_FILTER =
    "Marionet Orientation Files (*.ori)|*.ori|All Files (*.*)|*.*||";
inline constexpr const char* ORIENTATION_FILE_EXTENSION = "ori";

struct Orientation {
    Vector position{0.0, 0.0, 0.0};
    Vector direction{0.0, 0.0, 1.0};
    Vector up{0.0, 1.0, 0.0};
};

std::vector<uint8_t> SerializeOrientation(const Orientation& orientation);
// False, with orientation unchanged, unless bytes is one file long and holds finite numbers
// and a direction and up that give an orientation (neither zero, not parallel). The tag words
// are not checked.
bool ParseOrientation(std::span<const uint8_t> bytes, Orientation& orientation);

// CantOpen, WrongSize or BadData (not an orientation), CantRead.
bytes::Status ReadOrientationFile(const std::string& path, Orientation& orientation);
// Written beside path and renamed over it: CantOpen or CantWrite.
bytes::Status WriteOrientationFile(const std::string& path, const Orientation& orientation);

}  // namespace editor::hands
