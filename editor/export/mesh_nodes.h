#pragma once
// Which of the 16 mesh nodes (the parts the game shows and hides separately) each triangle of
// the generated model belongs to, and the texture-vertex corners of each node.

#include "editor/model/fixed_bit_sets.h"
#include "editor/model/model_document.h"

namespace editor::flexexport {

using namespace ::editor::model;

constexpr int FRONT_TORSO_NODE = 0;
constexpr int BACK_TORSO_NODE = 1;

struct MeshNodeSets {
    TriangleSet triangles[NUM_MESH_NODES];
    // Texture-vertex indices at the corners of the node's triangles; the mesh-node records
    // carry these in their vertex masks.
    VertexSet corners[NUM_MESH_NODES];
};

// Every triangle goes to at most one node: the nodes' bones' bound triangles (the torso split
// into front and back by where its corners lie in their bone's frame), a triangle claimed by
// several nodes to the highest-numbered one, and an unbound triangle to the node of its
// lowest-numbered neighbour through its first corner that has one (node 0 when it has none).
// A triangle whose neighbours never get a node gets none and is not drawn.
void AssignMeshNodes(const ModelDocument& document, MeshNodeSets& nodes);

}  // namespace editor::flexexport
