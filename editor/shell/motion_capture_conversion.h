#pragma once

#include <functional>
#include <string>

#include "editor/shell/ui.h"

namespace editor::shell {

// Converts a BVH clip to a pose file written whole beside the target and renamed over it, so
// a failure leaves an existing file as it was. `lengths` are the 37 bone lengths the poses
// take (none: the player's default proportions); with `normalize` the stored positions are
// those of the default proportions, as "Normalize Poses" stores captured poses. `progress`
// hears each pose made. False with a message naming the file.
bool ConvertMotionCaptureFile(const std::string& clipPath, const std::string& posePath,
                              const MotionCaptureChoice& choice, const double* lengths,
                              bool normalize, size_t& poseCount, std::string& error,
                              const std::function<void(size_t, size_t)>& progress = {});

}  // namespace editor::shell
