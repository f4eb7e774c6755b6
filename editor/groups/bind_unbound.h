#pragma once
// Completing the bindings so that every triangle moves with exactly one bone: a triangle bound
// to several bones keeps the nearest of them, and an unbound triangle takes the bone of the
// nearest bound triangle across the surface (through shared edges); a piece of the mesh with
// no bound triangle at all goes whole to the bone nearest to it.

#include "editor/groups/binding_file.h"
#include "editor/groups/bone_guess.h"
#include "editor/model/forward.h"

namespace editor::groups {

using namespace ::editor::model;

struct BindUnboundCounts {
    int bound = 0;    // unbound triangles given a bone
    int settled = 0;  // triangles bound to several bones left with one
};

// On a mesh in scene coordinates; the bones taken are the skeleton's eligible ones (a triangle
// already bound to another bone keeps it). Without an eligible bone nothing changes.
BindUnboundCounts BindUnboundTriangles(const MeshData& mesh, const GuessSkeleton& skeleton,
                                       BoneBindings& bindings);

// A triangle bound to one eligible bone whose segment is more than half as far again from it
// as the nearest eligible bone's goes to that nearest bone; returns how many moved. Guess
// Bindings' cutting planes can hand a whole strip of one limb to its neighbour (a forearm to
// the upper arm, the chest to the neck); the nearest segment is the better start there.
int RebindFarTriangles(const MeshData& mesh, const GuessSkeleton& skeleton, BoneBindings& bindings);

// A triangle bound to one eligible bone of an arm or a leg is unbound when its nearest eligible
// bone's segment is no nearer than SEAM_SHARE of the next nearest's: it lies where two bones
// meet, and Bind Unbound Triangles then gives it the bone of the nearest surely bound triangle
// across the surface. The guess's cutting planes run straight through a joint whatever the
// mesh does there; across the surface the seam falls halfway between the parts each bone
// surely holds, around the limb. Returns how many were unbound.
inline constexpr double SEAM_SHARE = 0.7;
int FreeLimbSeams(const MeshData& mesh, const GuessSkeleton& skeleton, BoneBindings& bindings);

enum class BindUnboundOutcome { Done, NoModel, ReadBackFailed, NoEligibleBone };
// The same on the document's model as the scene shows it.
BindUnboundOutcome BindModelUnboundTriangles(ModelDocument& document, BindUnboundCounts& counts);
BindUnboundOutcome RebindModelFarTriangles(ModelDocument& document, int& moved);
BindUnboundOutcome FreeModelLimbSeams(ModelDocument& document, int& freed);

}  // namespace editor::groups
