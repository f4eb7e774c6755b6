#pragma once

#include <functional>
#include <string>
#include <vector>

#include "bytes/result.h"
#include "editor/mocap/bvh_clip.h"
#include "editor/model/pose_record.h"
#include "editor/skeleton/pose_math.h"

namespace editor::mocap {

using namespace ::bytes;
using namespace ::editor::model;
using namespace ::editor::skeleton;

constexpr double DEFAULT_FRAMES_PER_SECOND = 10.0;
constexpr double MAX_FRAMES_PER_SECOND = 1000.0;
// A pose file of this many poses is about 36 MB; more is no animation the game can play.
constexpr size_t MAX_MOCAP_POSES = 20000;

// How a clip becomes a pose file.
struct MocapOptions {
    double framesPerSecond = DEFAULT_FRAMES_PER_SECOND;
    // Pose names are this plus the frame number from 1; empty: from the clip's file name.
    std::string baseName;
    // Keep the hips' horizontal path; by default the animation stays in place.
    bool keepRootMotion = false;
    // Which animation of a file that holds several (FBX, glTF, ...); empty: the first.
    std::string take;
};

// Called after each pose with the number done and the total.
using MocapProgress = std::function<void(size_t done, size_t total)>;

// The clip rows sampled at the rate: sample k lies at k / rate seconds and takes the nearest
// row, so 0.7 s of a 100 Hz clip is row 70.
std::vector<int> SampleRows(int frameCount, double frameTime, double framesPerSecond);

// The clip's file name without folder and extension, with characters other than letters,
// digits, "_" and "-" dropped; "mocap" when nothing is left. A name ending in a digit gets a
// "_" so that frame numbers stay apart from it.
std::string BaseNameFromPath(const std::string& clipPath);
// Success when base + the highest frame number fits the 15 characters of a pose name and the
// frame numbers can be told from it; otherwise refused with why not.
Status CheckBaseName(const std::string& baseName, size_t poseCount);
std::string FrameName(const std::string& baseName, size_t index);

// Poses of a parsed clip at the given bone lengths, or refused with the reason.
Result<std::vector<PoseRecord>> ConvertClip(const BvhClip& clip, const MocapOptions& options,
                                            const BoneLengths& lengths,
                                            const MocapProgress& progress = {});

// Reads the clip (a BVH file, or any animated file assimp reads) and converts it; a refusal
// names the file.
Result<std::vector<PoseRecord>> ImportMotionCapture(const std::string& clipPath,
                                                    const MocapOptions& options,
                                                    const BoneLengths& lengths,
                                                    const MocapProgress& progress = {});

// Writes the whole pose file beside the target and renames it over, so a failure leaves an
// existing file as it was. A refusal names the file.
Status WriteMocapPoses(const std::string& path, const std::vector<PoseRecord>& poses);

}  // namespace editor::mocap
