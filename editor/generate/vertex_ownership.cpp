// Which bone owns which vertex: the checks and the seam and ownership rules of generation.
#include <string>
#include <vector>

#include "editor/generate/body_parts.h"
#include "editor/generate/bone_edge_index.h"
#include "editor/model/model_document.h"

namespace editor::generate {

using namespace ::editor::model;

namespace {

void Report(const GenerationStatus& status, const std::string& line) {
    if (status) {
        status(line);
    }
}

// Triangles 0..count-1 only: bits past the mesh are not triangles.
TriangleSet ModelTriangles(int count) {
    TriangleSet all;
    all.SetRange(0, count);
    return all;
}

// Triangles bound to two bones or more.
TriangleSet SharedTriangles(const ModelDocument& document, int triangles) {
    TriangleSet seen;
    TriangleSet shared;
    for (const BonePart& bone : document.bones) {
        TriangleSet again = seen;
        again.And(bone.boundTriangles);
        shared.Or(again);
        seen.Or(bone.boundTriangles);
    }
    shared.And(ModelTriangles(triangles));
    return shared;
}

void CollectCorners(const MeshData& mesh, const TriangleSet& triangles, VertexSet& corners) {
    corners.ClearAll();
    const int count = mesh.TriangleCount();
    int a = 0;
    int b = 0;
    int c = 0;
    triangles.ForEachSet(
        [&](int t) {
            if (mesh.GetTriangle(t, a, b, c)) {
                corners.SetBit(a);
                corners.SetBit(b);
                corners.SetBit(c);
            }
        },
        count);
}

// An unbound triangle is tolerated when two of its corners (the first two a bone holds) lie on
// an edge of that bone: it bridges a seam.
bool BridgesSeam(const ModelDocument& document, const BoneEdgeIndex& edges, int t) {
    int corner[3];
    if (!document.model.mesh.GetTriangle(t, corner[0], corner[1], corner[2])) {
        return false;
    }
    for (int bone = 0; bone < NUM_BONES; ++bone) {
        const VertexSet& held = document.bones[bone].boundVertices;
        int listed[3];
        int count = 0;
        for (int v : corner) {
            if (held.Test(v)) {
                listed[count++] = v;
            }
        }
        if (count >= 2 && edges.HasEdge(bone, listed[0], listed[1])) {
            return true;
        }
    }
    return false;
}

TriangleSet UnassignedTriangles(const ModelDocument& document, const BoneEdgeIndex& edges,
                                int triangles) {
    TriangleSet unassigned = ModelTriangles(triangles);
    for (const BonePart& bone : document.bones) {
        unassigned.AndNot(bone.boundTriangles);
    }
    unassigned.ForEachSet(
        [&](int t) {
            if (BridgesSeam(document, edges, t)) {
                unassigned.ClearBit(t);
            }
        },
        triangles);
    return unassigned;
}

// Seam vertices go to the first bone of each pair: every edge both bones hold (and have a
// triangle at) leaves the second bone.
void SplitSeam(ModelDocument& document, const BoneEdgeIndex& edges, int b1, int b2) {
    const VertexSet& first = document.bones[b1].boundVertices;
    VertexSet& second = document.bones[b2].boundVertices;
    std::vector<int> marked;
    edges.ForEachSharedEdge(b1, b2, [&](int va, int vb) {
        if (first.Test(va) && first.Test(vb) && second.Test(va) && second.Test(vb)) {
            marked.push_back(va);
            marked.push_back(vb);
        }
    });
    for (int v : marked) {
        second.ClearBit(v);
    }
}

void SplitSeams(ModelDocument& document, const BoneEdgeIndex& edges,
                const GenerationStatus& status) {
    for (int b1 = 0; b1 < NUM_BONES; ++b1) {
        for (int b2 = 0; b2 < NUM_BONES; ++b2) {
            if (b1 == b2) {
                continue;
            }
            Report(status, std::string("Checking edges common to '") + BoneTableName(b1) +
                               "' and '" + BoneTableName(b2) + "'...");
            SplitSeam(document, edges, b1, b2);
        }
    }
}

// A used vertex held by several bones stays with the lowest-numbered one; the used vertices no
// bone holds are returned.
VertexSet SettleOwnership(ModelDocument& document) {
    const VertexSet& used = document.model.mesh.usedVertices;
    VertexSet claimed;
    for (BonePart& bone : document.bones) {
        VertexSet taken = claimed;
        taken.And(used);
        bone.boundVertices.AndNot(taken);
        claimed.Or(bone.boundVertices);
    }
    VertexSet unowned = used;
    unowned.AndNot(claimed);
    return unowned;
}

TriangleSet TrianglesTouching(const MeshData& mesh, const VertexSet& vertices) {
    TriangleSet touching;
    int a = 0;
    int b = 0;
    int c = 0;
    for (int t = 0; mesh.GetTriangle(t, a, b, c); ++t) {
        if (vertices.Test(a) || vertices.Test(b) || vertices.Test(c)) {
            touching.SetBit(t);
        }
    }
    return touching;
}

}  // namespace

int AssignBoneVertices(ModelDocument& document, TriangleSet& highlight,
                       const GenerationStatus& status) {
    if (document.model.Shape() == nullptr) {
        return GENERATION_NO_MESH;
    }
    const MeshData& mesh = document.model.mesh;
    const int triangles = mesh.TriangleCount();
    Report(status, "Checking for duplicate triangles...");
    highlight = SharedTriangles(document, triangles);
    if (highlight.Any()) {
        return GENERATION_SHARED_TRIANGLES;
    }
    for (BonePart& bone : document.bones) {
        CollectCorners(mesh, bone.boundTriangles, bone.boundVertices);
    }
    const BoneEdgeIndex edges(document);
    Report(status, "Checking for unassigned triangles...");
    highlight = UnassignedTriangles(document, edges, triangles);
    if (highlight.Any()) {
        return GENERATION_UNASSIGNED_TRIANGLES;
    }
    SplitSeams(document, edges, status);
    const VertexSet unowned = SettleOwnership(document);
    if (unowned.Any()) {
        highlight = TrianglesTouching(mesh, unowned);
        return GENERATION_UNOWNED_VERTICES;
    }
    return GENERATION_DONE;
}

}  // namespace editor::generate
