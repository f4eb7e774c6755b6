#pragma once
// Body-part generation's capture: every eligible bone keeps the vertices bound to it in its own
// frame, with the rest frame it stood in, so that the generated model can follow it later.

#include <optional>
#include <string>

#include "editor/model/pose_vector.h"

#include "editor/model/forward.h"
#include "editor/prompts/prompts.h"

namespace editor::generate {

using namespace ::editor::model;
using namespace ::editor::prompts;

class LocalCoordinateStore {
  public:
    LocalCoordinateStore() = default;
    // Asks "OK to overwrite '<bone>'?" before a bone's stored coordinates are replaced; "Yes to
    // All" and "No to All" hold for the rest of one StoreEveryBone. Without questions (null) the
    // coordinates are replaced.
    void SetQuestions(Prompts* questions) { questions_ = questions; }

    // Every eligible bone at the pose the skeleton shows now (its true start positions, not
    // the normalised ones), in bone order.
    void StoreEveryBone(ModelDocument& document) const;
    // One bone: `start` is its start joint and `toBone` the rotation from pose space into its
    // axes.
    void StoreBone(ModelDocument& document, int bone, const PoseVec& start,
                   const Rotation3& toBone) const;

  private:
    bool MayOverwrite(const std::string& boneName) const;

    Prompts* questions_ = nullptr;
    // The answer "Yes to All" or "No to All" gave during the running StoreEveryBone.
    mutable std::optional<bool> answerForAll_;
};

// Whether bone b holds stored coordinates.
bool HasLocalCoordinates(const ModelDocument& document, int bone);

}  // namespace editor::generate
