#pragma once

#include <functional>
#include <string>

#include "bytes/result.h"
#include "editor/shell/ui.h"

namespace editor::shell {

using namespace ::bytes;

// Converts a BVH clip to a pose file written whole beside the target and renamed over it, so
// a failure leaves an existing file as it was. `lengths` are the 37 bone lengths the poses
// take (none: the player's default proportions); with `normalize` the stored positions are
// those of the default proportions, as "Normalize Poses" stores captured poses. `progress`
// hears each pose made. The number of poses written, or refused with a message naming the file.
Result<size_t> ConvertMotionCaptureFile(const std::string& clipPath, const std::string& posePath,
                                        const MotionCaptureChoice& choice, const double* lengths,
                                        bool normalize,
                                        const std::function<void(size_t, size_t)>& progress = {});

}  // namespace editor::shell
