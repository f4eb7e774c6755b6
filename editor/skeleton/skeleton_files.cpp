#include "editor/skeleton/skeleton_files.h"

#include <vector>

#include "bytes/replace_file.h"
#include "bytes/whole_file.h"
#include "editor/model/file_messages.h"
#include "editor/prompts/questions.h"
#include "editor/skeleton/bone_file.h"
#include "editor/skeleton/pose_file.h"

namespace editor::skeleton {

using namespace ::bytes;
using namespace ::editor::model;
using namespace ::editor::prompts;

namespace {
std::string Quoted(const std::string& path) {
    return "'" + path + "'";
}

std::string IncorrectFormat(const std::string& path) {
    return "Incorrect pose format in " + Quoted(path) + ".";
}
}  // namespace

std::optional<std::string> SkeletonFiles::ChooseFile(const std::optional<std::string>& fileName,
                                                     bool forSaving, const char* status,
                                                     const char* extension, const char* filter,
                                                     const std::string& remembered) {
    if (fileName && !fileName->empty()) {
        return fileName;
    }
    prompts_.ReportProgress(status);
    FileDialogRequest request{
        .filter = filter, .defaultExtension = extension, .initialPath = remembered};
    return forSaving ? prompts_.AskSaveFile(request) : prompts_.AskOpenFile(request);
}

bool SkeletonFiles::ConfirmOverwrite(const std::string& subject) {
    return prompts_.AskYesNo(OverwriteQuestion(subject));
}

Result<std::string> SkeletonFiles::LoadPose(const std::optional<std::string>& fileName,
                                            const std::optional<std::string>& frameName,
                                            std::string& name, PoseRecord& record) {
    std::optional<std::string> path =
        ChooseFile(fileName, false, "Enter a file name to load pose information from...", "spz",
                   POSE_FILE_FILTER, lastLoadPosePath_);
    if (!path) {
        return Status::Cancel();
    }
    std::vector<uint8_t> bytes;
    if (Status read = ReadWholeFile(*path, bytes); !read) {
        switch (read.Kind()) {
            case Failure::CantOpen:
                return Status::Refuse(CantOpenMessage(*path));
            case Failure::OutOfMemory:
                return Status::Refuse("Can't allocate memory for pose data.");
            default:
                return Status::Refuse("Can't read pose data from " + Quoted(*path) + ".");
        }
    }
    std::vector<PoseRecord> records;
    if (!ParsePoseFile(bytes, records)) {
        return Status::Refuse(IncorrectFormat(*path));
    }
    int index = 0;
    // A single pose is taken whatever it is called.
    if (records.size() > 1) {
        std::optional<std::string> wanted = frameName;
        if (!wanted) {
            std::vector<std::string> names;
            for (const PoseRecord& each : records) {
                names.push_back(PoseName(each));
            }
            wanted = prompts_.AskComboChoice(
                FirstEntryChoice(FRAME_CHOICE_TITLE, names, MAX_POSE_NAME_LENGTH));
            if (!wanted) {
                return Status::Cancel();
            }
        }
        std::string cut = CutPoseName(*wanted);
        index = FindFrame(records, cut);
        if (index < 0) {
            return Status::Refuse("Pose file " + Quoted(*path) + " does not have a frame named " +
                                  Quoted(cut) + ".");
        }
    }
    record = records[index];
    name = PoseName(record);
    lastLoadPosePath_ = *path;
    return *path;
}

Status SkeletonFiles::ReadExistingPoses(const std::string& path, std::vector<PoseRecord>& records) {
    std::vector<uint8_t> bytes;
    if (Status read = ReadWholeFile(path, bytes); !read) {
        switch (read.Kind()) {
            case Failure::CantOpen:
                return Status::Refuse(CantOpenMessage(path));
            case Failure::OutOfMemory:
                return Status::Refuse("Can't allocate memory to read existing pose data.");
            default:
                return Status::Refuse("Can't read existing pose data from " + Quoted(path) + ".");
        }
    }
    if (!ParsePoseFile(bytes, records)) {
        return Status::Refuse(IncorrectFormat(path));
    }
    return {};
}

Status SkeletonFiles::WritePoses(const std::string& path, const std::vector<PoseRecord>& records) {
    Status written = ReplaceFile(path, SerializePoseFile(records));
    if (!written) {
        return Status::Refuse(written.Kind() == Failure::CantOpen
                                  ? CantOpenMessage(path)
                                  : "Can't write pose data to " + Quoted(path) + ".");
    }
    return {};
}

Result<std::string> SkeletonFiles::SavePose(const std::optional<std::string>& fileName,
                                            const std::optional<std::string>& frameName,
                                            std::string& name, const PoseRecord& record) {
    std::optional<std::string> wanted = frameName;
    if (!wanted) {
        wanted = prompts_.AskText(
            TextRequest{.title = POSE_NAME_TITLE, .maxLength = MAX_POSE_NAME_LENGTH});
        if (!wanted) {
            return Status::Cancel();
        }
    }
    PoseRecord named = record;
    SetPoseName(named, *wanted);
    std::string cut = PoseName(named);

    std::optional<std::string> path =
        ChooseFile(fileName, true, "Enter a file name to save the pose to...", "spz",
                   POSE_FILE_FILTER, lastSavePosePath_);
    if (!path) {
        return Status::Cancel();
    }
    std::vector<PoseRecord> records;
    // An existing file that cannot be read is refused rather than replaced by one pose.
    if (FileExists(*path)) {
        if (Status read = ReadExistingPoses(*path, records); !read) {
            return read;
        }
    }
    int existing = FindFrame(records, cut);
    if (existing >= 0) {
        if (!ConfirmOverwrite(Quoted(cut) + " in " + *path)) {
            return Status::Cancel();
        }
        records[existing] = named;
    } else {
        size_t at = FrameInsertionIndex(records, cut);
        records.insert(records.begin() + static_cast<std::ptrdiff_t>(at), named);
    }
    if (Status written = WritePoses(*path, records); !written) {
        return written;
    }
    name = cut;
    lastSavePosePath_ = *path;
    return *path;
}

Result<std::string> SkeletonFiles::LoadBones(const std::optional<std::string>& fileName,
                                             BoneLengths& lengths) {
    std::optional<std::string> path =
        ChooseFile(fileName, false, "Enter a file name to load the bones from...", "bnz",
                   BONE_FILE_FILTER, lastLoadBonesPath_);
    if (!path) {
        return Status::Cancel();
    }
    std::vector<uint8_t> bytes;
    if (Status read = ReadFileOfSize(*path, BONE_FILE_SIZE, bytes); !read) {
        switch (read.Kind()) {
            case Failure::CantOpen:
                return Status::Refuse(CantOpenMessage(*path));
            case Failure::WrongSize:
                return Status::Refuse(Quoted(*path) + " does not appear to be a valid .bnz file.");
            default:
                return Status::Refuse("Can't read bone data from " + Quoted(*path) + ".");
        }
    }
    BoneLengths loaded;
    ParseBoneLengths(bytes, loaded);
    if (!BoneLengthsInRange(loaded)) {
        return Status::Refuse("Bone lengths are invlid (must be in range 0.0 - 64.0).");
    }
    for (int b = 0; b < NUM_BONES; ++b) {
        lengths[b] = loaded[b];
    }
    lastLoadBonesPath_ = *path;
    return *path;
}

Result<std::string> SkeletonFiles::SaveBones(const std::optional<std::string>& fileName,
                                             const BoneLengths& lengths) {
    std::optional<std::string> path =
        ChooseFile(fileName, true, "Enter a file name to save the bones to...", "bnz",
                   BONE_FILE_FILTER, lastSaveBonesPath_);
    if (!path) {
        return Status::Cancel();
    }
    if (FileExists(*path) && !ConfirmOverwrite(*path)) {
        return Status::Cancel();
    }
    if (Status written = ReplaceFile(*path, SerializeBoneLengths(lengths)); !written) {
        return Status::Refuse(written.Kind() == Failure::CantOpen
                                  ? CantOpenMessage(*path)
                                  : "Can't write bone data to " + Quoted(*path) + ".");
    }
    lastSaveBonesPath_ = *path;
    return *path;
}

}  // namespace editor::skeleton
