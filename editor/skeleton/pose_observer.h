#pragma once

#include "editor/model/pose_vector.h"

#include "editor/model/forward.h"

namespace editor::skeleton {

using namespace ::editor::model;

// What the skinned mesh needs to hear about posing: after every applied pose the generated
// model follows the skeleton, and a capture for body-part generation stores each bone's
// local vertex coordinates.
class PoseObserver {
  public:
    virtual ~PoseObserver() = default;
    virtual void UpdateGeneratedModel(ModelDocument& document) = 0;
    // `start` is the bone's start joint and `toBone` the rotation from pose space into the
    // bone's axes.
    virtual void StoreLocalCoordinates(ModelDocument& document, int bone, const PoseVec& start,
                                       const Rotation3& toBone) = 0;
};

}  // namespace editor::skeleton
