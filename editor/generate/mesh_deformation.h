#pragma once
// The generated model follows the skeleton: every bone carries the vertices it owns rigidly,
// stored in the bone's own frame, from its frame into the current pose; with smooth joints on,
// the vertices near a joint turn with a blend of the bones that meet there.

#include <functional>
#include <string>

#include "editor/model/pose_vector.h"
#include "editor/skeleton/pose_observer.h"

#include "editor/model/forward.h"
#include "scene/forward.h"

namespace editor::generate {

using namespace ::editor::model;
using namespace ::editor::skeleton;
using namespace ::scene;

inline constexpr const char* GENERATED_MODEL_NAME = "Generated Model";

// What the deformation asks of whoever shows it.
struct DeformationHost {
    // "OK to overwrite '<bone>'?" before a bone's stored coordinates are replaced; true: go on.
    // Without an answer the coordinates are replaced.
    std::function<bool(const std::string& question)> confirmOverwrite;
    // Just before the generated model's shape is deleted (a selection of it must let go) and
    // just after its successor is in the scene.
    std::function<void(const C3dShape& old)> releasingShape;
    std::function<void(C3dShape& fresh)> shapeReplaced;
};

// Stores local coordinates when a capture asks for them, and re-poses the generated model and
// the reference skeleton after every applied pose.
//
// A bone's own mesh keeps the coordinates: vertices[i] for model vertex i, vertexCount the
// number stored, and usedVertices the vertices that have one; its rest frame says where the bone
// stood when they were stored. Only those are posed, so a vertex
// bound after generation keeps the model's position instead of jumping to the bone's origin.
class MeshDeformation : public PoseObserver {
  public:
    MeshDeformation() = default;
    explicit MeshDeformation(DeformationHost host) : host_(std::move(host)) {}

    void SetHost(DeformationHost host) { host_ = std::move(host); }

    void UpdateGeneratedModel(ModelDocument& document) override;
    void StoreLocalCoordinates(ModelDocument& document, int bone, const PoseVec& start,
                               const Rotation3& toBone) override;

  private:
    bool MayOverwrite(const std::string& boneName) const;
    void ReplaceGeneratedShape(ModelDocument& document);

    DeformationHost host_;
};

// Whether bone b holds stored coordinates.
bool HasLocalCoordinates(const ModelDocument& document, int bone);

// With "Scale To Ground" on: brings the legs to the default height by scaling every bone length
// and the stored coordinates of every eligible bone by the same ratio. The next applied pose
// shows the result.
void ScaleToGround(ModelDocument& document);

}  // namespace editor::generate
