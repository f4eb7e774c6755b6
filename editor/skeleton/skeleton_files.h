#pragma once

#include <optional>
#include <string>

#include "bytes/result.h"

#include "editor/model/frame_choice.h"
#include "editor/model/pose_record.h"
#include "editor/prompts/prompts.h"
#include "editor/skeleton/pose_math.h"

namespace editor::skeleton {

using namespace ::bytes;
using namespace ::editor::model;
using namespace ::editor::prompts;

inline constexpr const char* POSE_FILE_FILTER =
    "Marionet Pose Files (*.spz)|*.spz|All Files (*.*)|*.*||";
inline constexpr const char* BONE_FILE_FILTER =
    "Marionet Bone Files (*.bnz)|*.bnz|All Files (*.*)|*.*||";
inline constexpr const char* POSE_NAME_TITLE = "Enter a name for this pose (15 chars max)";

// Loading and saving poses and bone lengths, with their dialogs. Each operation remembers the
// last path it used. A missing or empty file or frame name is asked for. Each returns the path
// it used, cancelled, or refused with the message the user is shown.
class SkeletonFiles {
  public:
    explicit SkeletonFiles(Prompts& prompts) : prompts_(prompts) {}

    Result<std::string> LoadPose(const std::optional<std::string>& fileName,
                                 const std::optional<std::string>& frameName, std::string& name,
                                 PoseRecord& record);
    Result<std::string> SavePose(const std::optional<std::string>& fileName,
                                 const std::optional<std::string>& frameName, std::string& name,
                                 const PoseRecord& record);
    Result<std::string> LoadBones(const std::optional<std::string>& fileName, BoneLengths& lengths);
    Result<std::string> SaveBones(const std::optional<std::string>& fileName,
                                  const BoneLengths& lengths);
    bool ConfirmOverwrite(const std::string& subject);

  private:
    std::optional<std::string> ChooseFile(const std::optional<std::string>& fileName,
                                          bool forSaving, const char* status, const char* extension,
                                          const char* filter, const std::string& remembered);
    // Reads an existing pose file for an update.
    Status ReadExistingPoses(const std::string& path, std::vector<PoseRecord>& records);
    Status WritePoses(const std::string& path, const std::vector<PoseRecord>& records);

    Prompts& prompts_;
    std::string lastLoadPosePath_;
    std::string lastSavePosePath_;
    std::string lastLoadBonesPath_;
    std::string lastSaveBonesPath_;
};

}  // namespace editor::skeleton
