#include "editor/shell/motion_capture_conversion.h"

#include <vector>

#include "editor/mocap/mocap_import.h"

namespace editor::shell {

using namespace ::editor::mocap;
using namespace ::editor::skeleton;

Result<size_t> ConvertMotionCaptureFile(const std::string& clipPath, const std::string& posePath,
                                        const MotionCaptureChoice& choice, const double* lengths,
                                        bool normalize,
                                        const std::function<void(size_t, size_t)>& progress) {
    MocapOptions options;
    options.framesPerSecond = choice.framesPerSecond;
    options.baseName = choice.baseName;
    options.keepRootMotion = choice.keepRootMotion;
    options.take = choice.take;
    BoneLengths defaults;
    DefaultBoneLengths(defaults);
    BoneLengths used;
    for (int b = 0; b < NUM_BONES; ++b) {
        used[b] = lengths != nullptr ? lengths[b] : defaults[b];
    }
    Result<std::vector<PoseRecord>> poses = ImportMotionCapture(clipPath, options, used, progress);
    if (!poses) {
        return poses.GetStatus();
    }
    if (normalize) {
        for (PoseRecord& pose : *poses) {
            NormalizeStartPositions(pose, defaults);
        }
    }
    if (Status written = WriteMocapPoses(posePath, *poses); !written) {
        return written;
    }
    return poses->size();
}

}  // namespace editor::shell
