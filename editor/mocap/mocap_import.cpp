#include "editor/mocap/mocap_import.h"

#include <cctype>
#include <cmath>
#include <filesystem>

#include "bytes/replace_file.h"
#include "bytes/whole_file.h"
#include "editor/mocap/assimp_clip.h"
#include "editor/mocap/bvh_reader.h"
#include "editor/mocap/retarget.h"
#include "editor/model/file_messages.h"
#include "editor/skeleton/pose_file.h"

namespace editor::mocap {

using namespace ::bytes;
using namespace ::editor::model;

namespace {

std::string Quoted(const std::string& path) {
    return "'" + path + "'";
}

size_t SampleCount(int frameCount, double frameTime, double framesPerSecond) {
    double duration = static_cast<double>(frameCount - 1) * frameTime;
    // The small allowance keeps a last sample that lands on the last row despite rounding.
    return static_cast<size_t>(std::floor(duration * framesPerSecond + 1e-6)) + 1;
}

}  // namespace

std::vector<int> SampleRows(int frameCount, double frameTime, double framesPerSecond) {
    std::vector<int> rows;
    if (frameCount < 1 || !(frameTime > 0.0) || !(framesPerSecond > 0.0)) {
        return rows;
    }
    size_t count = SampleCount(frameCount, frameTime, framesPerSecond);
    rows.reserve(count);
    for (size_t k = 0; k < count; ++k) {
        double row = static_cast<double>(k) / framesPerSecond / frameTime;
        rows.push_back(std::min(frameCount - 1, static_cast<int>(std::llround(row))));
    }
    return rows;
}

std::string BaseNameFromPath(const std::string& clipPath) {
    std::string stem = std::filesystem::path(clipPath).stem().string();
    std::string base;
    for (char c : stem) {
        if (std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '-') {
            base.push_back(c);
        }
    }
    if (base.empty()) {
        base = "mocap";
    }
    if (std::isdigit(static_cast<unsigned char>(base.back()))) {
        base.push_back('_');
    }
    return base;
}

std::string FrameName(const std::string& baseName, size_t index) {
    return baseName + std::to_string(index + 1);
}

Status CheckBaseName(const std::string& baseName, size_t poseCount) {
    if (baseName.empty()) {
        return Status::Refuse("the base name is empty");
    }
    if (std::isdigit(static_cast<unsigned char>(baseName.back()))) {
        return Status::Refuse("the base name '" + baseName +
                              "' ends in a digit, which would run into the frame numbers");
    }
    size_t room = static_cast<size_t>(MAX_POSE_NAME_LENGTH) - std::to_string(poseCount).size();
    if (baseName.size() > room) {
        return Status::Refuse("the base name '" + baseName + "' is too long: with " +
                              std::to_string(poseCount) + " poses it may have " +
                              std::to_string(room) + " characters");
    }
    return {};
}

Result<std::vector<PoseRecord>> ConvertClip(const BvhClip& clip, const MocapOptions& options,
                                            const BoneLengths& lengths,
                                            const MocapProgress& progress) {
    if (!(options.framesPerSecond > 0.0) || options.framesPerSecond > MAX_FRAMES_PER_SECOND) {
        return Status::Refuse("the rate must be above 0 and at most 1000 frames per second");
    }
    if (SampleCount(clip.frameCount, clip.frameTime, options.framesPerSecond) > MAX_MOCAP_POSES) {
        return Status::Refuse("at that rate the clip gives more than 20000 poses");
    }
    std::vector<int> rows = SampleRows(clip.frameCount, clip.frameTime, options.framesPerSecond);
    if (Status named = CheckBaseName(options.baseName, rows.size()); !named) {
        return named;
    }
    Retargeter retargeter;
    if (Status prepared = retargeter.Prepare(clip, lengths); !prepared) {
        return prepared;
    }
    std::vector<PoseRecord> poses(rows.size(), PoseRecord{});
    for (size_t k = 0; k < rows.size(); ++k) {
        retargeter.MakePose(clip.Row(rows[k]), options.keepRootMotion, poses[k]);
        SetPoseName(poses[k], FrameName(options.baseName, k));
        if (progress) {
            progress(k + 1, rows.size());
        }
    }
    return poses;
}

Result<std::vector<PoseRecord>> ImportMotionCapture(const std::string& clipPath,
                                                    const MocapOptions& options,
                                                    const BoneLengths& lengths,
                                                    const MocapProgress& progress) {
    std::vector<uint8_t> bytes;
    if (Status read = ReadWholeFile(clipPath, bytes); !read) {
        switch (read.Kind()) {
            case Failure::CantOpen:
                return Status::Refuse(CantOpenMessage(clipPath));
            case Failure::TooLarge:
                return Status::Refuse(Quoted(clipPath) +
                                      " is too large to be a motion-capture clip.");
            default:
                return Status::Refuse("Can't read " + Quoted(clipPath) + ".");
        }
    }
    BvhClip clip;
    BvhError bvhError;
    if (!IsBvhPath(clipPath)) {
        if (Status read = ReadAssimpClip(clipPath, options.take, clip); !read) {
            return Status::Refuse(Quoted(clipPath) + ": " + read.Reason() + ".");
        }
    } else if (!ReadBvh(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()),
                        clip, bvhError)) {
        return Status::Refuse(BvhErrorText(clipPath, bvhError));
    }
    MocapOptions named = options;
    if (named.baseName.empty()) {
        named.baseName = BaseNameFromPath(clipPath);
    }
    Result<std::vector<PoseRecord>> poses = ConvertClip(clip, named, lengths, progress);
    if (!poses) {
        return Status::Refuse(Quoted(clipPath) + ": " + poses.Reason());
    }
    return poses;
}

Status WriteMocapPoses(const std::string& path, const std::vector<PoseRecord>& poses) {
    Status written = ReplaceFile(path, SerializePoseFile(poses));
    if (!written) {
        return Status::Refuse(written.Kind() == Failure::CantOpen
                                  ? CantOpenMessage(path)
                                  : "Can't write pose data to " + Quoted(path) + ".");
    }
    return written;
}

}  // namespace editor::mocap
