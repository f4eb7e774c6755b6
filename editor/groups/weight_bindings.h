#pragma once
// Binding a mesh from skin weights: each triangle moves with the bone that holds most of its
// corners' weight, as a rigid FlexModel part must move with one bone.

#include <vector>

#include "editor/groups/binding_file.h"
#include "editor/model/forward.h"

namespace editor::groups {

using namespace ::editor::model;

struct BoneWeight {
    int bone = 0;  // a player bone
    float weight = 0.0f;
};
// Per vertex of the mesh, the player bones that move it.
using VertexBoneWeights = std::vector<std::vector<BoneWeight>>;

// Binds every triangle with weight on its corners to its heaviest bone, replacing whatever the
// bones held; triangles without weight stay unbound. Returns how many were bound.
int BindByWeights(const MeshData& mesh, const VertexBoneWeights& weights, BoneBindings& bindings);

}  // namespace editor::groups
