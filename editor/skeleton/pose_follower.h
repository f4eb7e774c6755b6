#pragma once

#include "editor/model/forward.h"

namespace editor::skeleton {

using namespace ::editor::model;

// What follows the skeleton: after every applied pose the generated model (and the reference
// points) are posed again from the skeleton as it now stands.
class PoseFollower {
  public:
    virtual ~PoseFollower() = default;
    virtual void FollowPose(ModelDocument& document) = 0;
};

}  // namespace editor::skeleton
