#pragma once

#include <optional>
#include <string>

#include "editor/model/frame_choice.h"
#include "editor/model/pose_record.h"
#include "editor/skeleton/pose_math.h"
#include "editor/skeleton/skeleton_prompts.h"

namespace editor::skeleton {

using namespace ::editor::model;

inline constexpr const char* POSE_FILE_FILTER =
    "Marionet Pose Files (*.spz)|*.spz|All Files (*.*)|*.*||";
inline constexpr const char* BONE_FILE_FILTER =
    "Marionet Bone Files (*.bnz)|*.bnz|All Files (*.*)|*.*||";
inline constexpr const char* POSE_NAME_TITLE = "Enter a name for this pose (15 chars max)";

// Loading and saving poses and bone lengths, with their dialogs and messages. Each operation
// remembers the last path it used. A missing or empty file or frame name is asked for.
class SkeletonFiles {
  public:
    explicit SkeletonFiles(SkeletonPrompts& prompts) : prompts_(prompts) {}

    std::optional<std::string> LoadPose(const std::optional<std::string>& fileName,
                                        const std::optional<std::string>& frameName,
                                        std::string& name, PoseRecord& record);
    std::optional<std::string> SavePose(const std::optional<std::string>& fileName,
                                        const std::optional<std::string>& frameName,
                                        std::string& name, const PoseRecord& record);
    std::optional<std::string> LoadBones(const std::optional<std::string>& fileName,
                                         BoneLengths& lengths);
    std::optional<std::string> SaveBones(const std::optional<std::string>& fileName,
                                         const BoneLengths& lengths);
    bool ConfirmOverwrite(const std::string& subject);

  private:
    std::optional<std::string> ChooseFile(const std::optional<std::string>& fileName,
                                          bool forSaving, const char* status, const char* extension,
                                          const char* filter, const std::string& remembered);
    // Reads an existing pose file for an update; false after showing the message.
    bool ReadExistingPoses(const std::string& path, std::vector<PoseRecord>& records);
    bool WritePoses(const std::string& path, const std::vector<PoseRecord>& records);

    SkeletonPrompts& prompts_;
    std::string lastLoadPosePath_;
    std::string lastSavePosePath_;
    std::string lastLoadBonesPath_;
    std::string lastSaveBonesPath_;
};

}  // namespace editor::skeleton
