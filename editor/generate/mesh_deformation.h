#pragma once
// The generated model follows the skeleton: every bone carries the vertices it owns rigidly,
// stored in the bone's own frame, from its frame into the current pose; with smooth joints on,
// the vertices near a joint turn with a blend of the bones that meet there.

#include <functional>
#include <string>

#include "editor/generate/local_coordinates.h"
#include "editor/model/pose_vector.h"
#include "editor/skeleton/pose_follower.h"

#include "editor/model/forward.h"
#include "scene/forward.h"

namespace editor::generate {

using namespace ::editor::model;
using namespace ::editor::skeleton;
using namespace ::scene;

inline constexpr const char* GENERATED_MODEL_NAME = "Generated Model";

// What the deformation tells whoever shows it.
struct DeformationHost {
    // Just before the generated model's shape is deleted (a selection of it must let go) and
    // just after its successor is in the scene.
    std::function<void(const C3dShape& old)> releasingShape;
    std::function<void(C3dShape& fresh)> shapeReplaced;
};

// Re-poses the generated model and the reference skeleton after every applied pose, from the
// coordinates the LocalCoordinateStore stored.
//
// A bone's own mesh keeps the coordinates: vertices[i] for model vertex i, vertexCount the
// number stored, and usedVertices the vertices that have one; its rest frame says where the bone
// stood when they were stored. Only those are posed, so a vertex
// bound after generation keeps the model's position instead of jumping to the bone's origin.
class MeshDeformation : public PoseFollower {
  public:
    MeshDeformation() = default;
    explicit MeshDeformation(DeformationHost host) : host_(std::move(host)) {}

    void SetHost(DeformationHost host) { host_ = std::move(host); }

    void FollowPose(ModelDocument& document) override;

  private:
    void ReplaceGeneratedShape(ModelDocument& document);

    DeformationHost host_;
};

// With "Scale To Ground" on: brings the legs to the default height by scaling every bone length
// and the stored coordinates of every eligible bone by the same ratio. The next applied pose
// shows the result.
void ScaleToGround(ModelDocument& document);

}  // namespace editor::generate
