#pragma once
// Body-part generation's capture: every eligible bone keeps the vertices bound to it in its own
// frame, with the rest frame it stood in, so that the generated model can follow it later.

#include <functional>
#include <string>

#include "editor/model/pose_vector.h"

#include "editor/model/forward.h"

namespace editor::generate {

using namespace ::editor::model;

class LocalCoordinateStore {
  public:
    // "OK to overwrite '<bone>'?" before a bone's stored coordinates are replaced; true: go on.
    using ConfirmOverwrite = std::function<bool(const std::string& question)>;

    LocalCoordinateStore() = default;
    // Without an answer the coordinates are replaced.
    void SetConfirmOverwrite(ConfirmOverwrite confirm) { confirmOverwrite_ = std::move(confirm); }

    // Every eligible bone at the pose the skeleton shows now (its true start positions, not
    // the normalised ones), in bone order.
    void StoreEveryBone(ModelDocument& document) const;
    // One bone: `start` is its start joint and `toBone` the rotation from pose space into its
    // axes.
    void StoreBone(ModelDocument& document, int bone, const PoseVec& start,
                   const Rotation3& toBone) const;

  private:
    bool MayOverwrite(const std::string& boneName) const;

    ConfirmOverwrite confirmOverwrite_;
};

// Whether bone b holds stored coordinates.
bool HasLocalCoordinates(const ModelDocument& document, int bone);

}  // namespace editor::generate
