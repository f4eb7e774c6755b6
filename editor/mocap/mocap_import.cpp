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

std::string CheckBaseName(const std::string& baseName, size_t poseCount) {
    if (baseName.empty()) {
        return "the base name is empty";
    }
    if (std::isdigit(static_cast<unsigned char>(baseName.back()))) {
        return "the base name '" + baseName +
               "' ends in a digit, which would run into the frame numbers";
    }
    size_t room = static_cast<size_t>(MAX_POSE_NAME_LENGTH) - std::to_string(poseCount).size();
    if (baseName.size() > room) {
        return "the base name '" + baseName + "' is too long: with " + std::to_string(poseCount) +
               " poses it may have " + std::to_string(room) + " characters";
    }
    return {};
}

bool ConvertClip(const BvhClip& clip, const MocapOptions& options, const BoneLengths& lengths,
                 std::vector<PoseRecord>& poses, std::string& error,
                 const MocapProgress& progress) {
    if (!(options.framesPerSecond > 0.0) || options.framesPerSecond > MAX_FRAMES_PER_SECOND) {
        error = "the rate must be above 0 and at most 1000 frames per second";
        return false;
    }
    if (SampleCount(clip.frameCount, clip.frameTime, options.framesPerSecond) > MAX_MOCAP_POSES) {
        error = "at that rate the clip gives more than 20000 poses";
        return false;
    }
    std::vector<int> rows = SampleRows(clip.frameCount, clip.frameTime, options.framesPerSecond);
    error = CheckBaseName(options.baseName, rows.size());
    if (!error.empty()) {
        return false;
    }
    Retargeter retargeter;
    if (!retargeter.Prepare(clip, lengths, error)) {
        return false;
    }
    poses.assign(rows.size(), PoseRecord{});
    for (size_t k = 0; k < rows.size(); ++k) {
        retargeter.MakePose(clip.Row(rows[k]), options.keepRootMotion, poses[k]);
        SetPoseName(poses[k], FrameName(options.baseName, k));
        if (progress) {
            progress(k + 1, rows.size());
        }
    }
    return true;
}

bool ImportMotionCapture(const std::string& clipPath, const MocapOptions& options,
                         const BoneLengths& lengths, std::vector<PoseRecord>& poses,
                         std::string& error, const MocapProgress& progress) {
    std::vector<uint8_t> bytes;
    if (Status read = ReadWholeFile(clipPath, bytes); !read) {
        switch (read.Kind()) {
            case Failure::CantOpen:
                error = CantOpenMessage(clipPath);
                break;
            case Failure::TooLarge:
                error = Quoted(clipPath) + " is too large to be a motion-capture clip.";
                break;
            default:
                error = "Can't read " + Quoted(clipPath) + ".";
                break;
        }
        return false;
    }
    BvhClip clip;
    BvhError bvhError;
    if (!IsBvhPath(clipPath)) {
        std::string reason;
        if (!ReadAssimpClip(clipPath, options.take, clip, reason)) {
            error = Quoted(clipPath) + ": " + reason + ".";
            return false;
        }
    } else if (!ReadBvh(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()),
                        clip, bvhError)) {
        error = BvhErrorText(clipPath, bvhError);
        return false;
    }
    MocapOptions named = options;
    if (named.baseName.empty()) {
        named.baseName = BaseNameFromPath(clipPath);
    }
    std::string reason;
    if (!ConvertClip(clip, named, lengths, poses, reason, progress)) {
        error = Quoted(clipPath) + ": " + reason;
        return false;
    }
    return true;
}

bool WriteMocapPoses(const std::string& path, const std::vector<PoseRecord>& poses,
                     std::string& error) {
    Status written = ReplaceFile(path, SerializePoseFile(poses));
    if (!written) {
        error = written.Kind() == Failure::CantOpen
                    ? CantOpenMessage(path)
                    : "Can't write pose data to " + Quoted(path) + ".";
    }
    return written.Ok();
}

}  // namespace editor::mocap
