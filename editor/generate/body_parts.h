#pragma once
// Body-part generation: checks that every triangle belongs to exactly one bone, gives every
// vertex exactly one bone, stores each vertex in its bone's frame and builds the generated model.

#include <functional>
#include <string>

#include "editor/model/fixed_bit_sets.h"

#include "editor/model/forward.h"

namespace editor::skeleton {
class Posing;
}

namespace editor::generate {

using namespace ::editor::model;
using namespace ::editor::skeleton;

enum GenerationResult : int {
    GENERATION_DONE = 0,
    GENERATION_NO_MESH = 1,
    GENERATION_SHARED_TRIANGLES = 2,      // bound to more than one bone
    GENERATION_UNASSIGNED_TRIANGLES = 3,  // bound to no bone and off every seam
    GENERATION_UNOWNED_VERTICES = 4,      // used by a triangle, owned by no bone
};

// Progress lines for the status bar and the log.
using GenerationStatus = std::function<void(const std::string& line)>;

inline constexpr const char* GENERATION_COMPLETE_STATUS = "Generation compete.";
inline constexpr const char* GENERATING_STATUS = "Generating body parts - please be patient...";
inline constexpr const char* NOTHING_BOUND_MESSAGE =
    "Please bind part of the mesh to at least one bone.";
inline constexpr const char* NOTHING_GENERATED_MESSAGE = "No model has been generated yet.";

// The message box text for a failed generation.
const char* GenerationFailureMessage(int result);

// First triangle (ascending) of bone b's bound triangles that has both va and vb as corners;
// -1 when none has.
int BoneHasTriangleAt(const ModelDocument& document, int bone, int va, int vb);

// Whether any bone has a bound triangle.
bool AnyBoneBound(const ModelDocument& document);

// Checks the bindings and decides each bone's vertex set (vertices on a seam stay with the
// lower-numbered bone). On failure highlight holds the offending triangles. Leaves the local
// coordinates and the generated model alone.
int AssignBoneVertices(ModelDocument& document, TriangleSet& highlight,
                       const GenerationStatus& status);

class LocalCoordinateStore;

// AssignBoneVertices, then, on success, reads the model back from the scene, stores the local
// coordinates of every eligible bone (through the store, which may ask before overwriting),
// works out the weights of smooth joints and lets the generated model follow the skeleton.
int GenerateBodyParts(Posing& posing, const LocalCoordinateStore& store, TriangleSet& highlight,
                      const GenerationStatus& status);

}  // namespace editor::generate
