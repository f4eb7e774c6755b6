#include "editor/export/mesh_nodes.h"

#include <array>
#include <vector>

namespace editor::flexexport {

namespace {

constexpr int NO_TRIANGLE = -1;

// Bound vertices of the node's bones; the torso's by the side of the bone they lie on (z 0
// or more in the bone's frame is the front).
void CollectNodeVertices(const ModelDocument& document, int node, VertexSet& vertices) {
    vertices.ClearAll();
    const MeshNodeEntry& entry = meshNodeBones[node];
    for (int k = 0; k < entry.boneCount; ++k) {
        const BonePart& bone = document.bones[entry.bones[k]];
        if (node != FRONT_TORSO_NODE && node != BACK_TORSO_NODE) {
            vertices.Or(bone.boundVertices);
            continue;
        }
        bone.boundVertices.ForEachSet([&](int v) {
            if ((bone.mesh.vertices[v].z >= 0.0f) == (node == FRONT_TORSO_NODE)) {
                vertices.SetBit(v);
            }
        });
    }
}

int CornersIn(const MeshData& mesh, int triangle, const VertexSet& vertices) {
    int a, b, c;
    if (!mesh.GetTriangle(triangle, a, b, c)) {
        return 0;
    }
    return int(vertices.Test(a)) + int(vertices.Test(b)) + int(vertices.Test(c));
}

// The bound triangles of the node's bones; a torso triangle belongs to the side that holds
// at least two of its corners.
void CollectNodeTriangles(const ModelDocument& document, int node, const VertexSet& vertices,
                          TriangleSet& triangles) {
    triangles.ClearAll();
    const MeshData& mesh = document.generatedModel.mesh;
    const MeshNodeEntry& entry = meshNodeBones[node];
    for (int k = 0; k < entry.boneCount; ++k) {
        const BonePart& bone = document.bones[entry.bones[k]];
        if (node != FRONT_TORSO_NODE && node != BACK_TORSO_NODE) {
            triangles.Or(bone.boundTriangles);
            continue;
        }
        bone.boundTriangles.ForEachSet(
            [&](int t) {
                if (CornersIn(mesh, t, vertices) >= 2) {
                    triangles.SetBit(t);
                }
            },
            mesh.TriangleCount());
    }
}

// Leaves each member in the highest-numbered node's set only.
template <class Set>
void KeepInHighestNode(Set (&sets)[NUM_MESH_NODES]) {
    Set higher;
    for (int node = NUM_MESH_NODES - 1; node >= 0; --node) {
        sets[node].AndNot(higher);
        higher.Or(sets[node]);
    }
}

// The two lowest-numbered triangles having each vertex as a corner.
std::vector<std::array<int, 2>> LowestTrianglesAt(const MeshData& mesh) {
    std::vector<std::array<int, 2>> lowest(MAX_MESH_ELEMENTS, {NO_TRIANGLE, NO_TRIANGLE});
    for (int t = 0; t < mesh.TriangleCount(); ++t) {
        int corners[3];
        mesh.GetTriangle(t, corners[0], corners[1], corners[2]);
        for (int v : corners) {
            if (v < 0 || v >= MAX_MESH_ELEMENTS) {
                continue;
            }
            std::array<int, 2>& entry = lowest[v];
            if (entry[0] == NO_TRIANGLE) {
                entry[0] = t;
            } else if (entry[0] != t && entry[1] == NO_TRIANGLE) {
                entry[1] = t;
            }
        }
    }
    return lowest;
}

int Neighbour(const MeshData& mesh, const std::vector<std::array<int, 2>>& lowest, int t) {
    int corners[3];
    mesh.GetTriangle(t, corners[0], corners[1], corners[2]);
    for (int v : corners) {
        if (v < 0 || v >= MAX_MESH_ELEMENTS) {
            continue;
        }
        const int other = lowest[v][0] != t ? lowest[v][0] : lowest[v][1];
        if (other != NO_TRIANGLE) {
            return other;
        }
    }
    return NO_TRIANGLE;
}

int NodeHolding(const MeshNodeSets& nodes, int triangle) {
    for (int node = 0; node < NUM_MESH_NODES; ++node) {
        if (nodes.triangles[node].Test(triangle)) {
            return node;
        }
    }
    return -1;
}

// Gives unbound triangles their neighbour's node, pass after pass, until a pass finds none.
void AdoptOrphans(const MeshData& mesh, MeshNodeSets& nodes) {
    TriangleSet assigned;
    for (const TriangleSet& set : nodes.triangles) {
        assigned.Or(set);
    }
    const std::vector<std::array<int, 2>> lowest = LowestTrianglesAt(mesh);
    for (bool adopted = true; adopted;) {
        adopted = false;
        for (int t = 0; t < mesh.TriangleCount(); ++t) {
            if (assigned.Test(t)) {
                continue;
            }
            const int neighbour = Neighbour(mesh, lowest, t);
            const int node =
                neighbour == NO_TRIANGLE ? FRONT_TORSO_NODE : NodeHolding(nodes, neighbour);
            if (node >= 0) {
                nodes.triangles[node].SetBit(t);
                assigned.SetBit(t);
                adopted = true;
            }
        }
    }
}

void CollectCorners(const MeshData& mesh, MeshNodeSets& nodes) {
    for (int node = 0; node < NUM_MESH_NODES; ++node) {
        nodes.corners[node].ClearAll();
        nodes.triangles[node].ForEachSet(
            [&](int t) {
                int ta, tb, tc;
                if (!mesh.GetTexTriangle(t, ta, tb, tc)) {
                    return;
                }
                for (int corner : {ta, tb, tc}) {
                    if (corner >= 0 && corner < MAX_MESH_ELEMENTS) {
                        nodes.corners[node].SetBit(corner);
                    }
                }
            },
            mesh.TriangleCount());
    }
    KeepInHighestNode(nodes.corners);
}

}  // namespace

void AssignMeshNodes(const ModelDocument& document, MeshNodeSets& nodes) {
    const MeshData& mesh = document.generatedModel.mesh;
    for (int node = 0; node < NUM_MESH_NODES; ++node) {
        VertexSet vertices;
        CollectNodeVertices(document, node, vertices);
        CollectNodeTriangles(document, node, vertices, nodes.triangles[node]);
        // Bindings may name triangles the mesh no longer has.
        nodes.triangles[node].ClearRange(mesh.TriangleCount(),
                                         MAX_MESH_ELEMENTS - mesh.TriangleCount());
    }
    KeepInHighestNode(nodes.triangles);
    AdoptOrphans(mesh, nodes);
    CollectCorners(mesh, nodes);
}

}  // namespace editor::flexexport
