#include "tests/editor/generate/ownership_reference.h"

#include <vector>

#include "editor/generate/body_parts.h"
#include "editor/model/model_document.h"

using namespace ::editor::generate;
using namespace ::editor::model;

namespace {

bool Has(const MeshData& mesh, const TriangleSet& set, int t) {
    return t < mesh.TriangleCount() && set.Test(t);
}

int SharedTriangles(const ModelDocument& document, ReferenceOwnership& out) {
    const MeshData& mesh = document.model.mesh;
    out.highlight.ClearAll();
    for (int t = 0; t < mesh.faceCount; ++t) {
        int count = 0;
        for (const BonePart& bone : document.bones) {
            if (bone.boundTriangles.Test(t) && ++count == 2) {
                out.highlight.SetBit(t);
                break;
            }
        }
    }
    return out.highlight.Any() ? GENERATION_SHARED_TRIANGLES : GENERATION_DONE;
}

void Corners(const ModelDocument& document, ReferenceOwnership& out) {
    const MeshData& mesh = document.model.mesh;
    for (int b = 0; b < NUM_BONES; ++b) {
        out.vertices[b].ClearAll();
        for (int t = 0; t < mesh.faceCount; ++t) {
            int p, q, r;
            if (Has(mesh, document.bones[b].boundTriangles, t) && mesh.GetTriangle(t, p, q, r)) {
                out.vertices[b].SetBit(p);
                out.vertices[b].SetBit(q);
                out.vertices[b].SetBit(r);
            }
        }
    }
}

int UnassignedTriangles(const ModelDocument& document, ReferenceOwnership& out) {
    const MeshData& mesh = document.model.mesh;
    out.highlight.ClearAll();
    for (int t = 0; t < mesh.faceCount; ++t) {
        bool bound = false;
        for (const BonePart& bone : document.bones) {
            bound = bound || bone.boundTriangles.Test(t);
        }
        if (!bound) {
            out.highlight.SetBit(t);
        }
    }
    for (int t = 0; t < mesh.faceCount; ++t) {
        int corner[3];
        if (!out.highlight.Test(t) || !mesh.GetTriangle(t, corner[0], corner[1], corner[2])) {
            continue;
        }
        for (int b = 0; b < NUM_BONES; ++b) {
            std::vector<int> listed;
            for (int v : corner) {
                if (out.vertices[b].Test(v)) {
                    listed.push_back(v);
                }
            }
            if (listed.size() >= 2 && BoneHasTriangleAt(document, b, listed[0], listed[1]) != -1) {
                out.highlight.ClearBit(t);
                break;
            }
        }
    }
    return out.highlight.Any() ? GENERATION_UNASSIGNED_TRIANGLES : GENERATION_DONE;
}

void Seams(const ModelDocument& document, ReferenceOwnership& out) {
    const MeshData& mesh = document.model.mesh;
    for (int b1 = 0; b1 < NUM_BONES; ++b1) {
        for (int b2 = 0; b2 < NUM_BONES; ++b2) {
            if (b1 == b2) {
                continue;
            }
            ++out.statusLines;
            std::vector<int> marked;
            for (int e = 0; e < mesh.EdgeCount(); ++e) {
                int va, vb;
                mesh.GetEdge(e, va, vb);
                const VertexSet& v1 = out.vertices[b1];
                const VertexSet& v2 = out.vertices[b2];
                if (v1.Test(va) && v1.Test(vb) && v2.Test(va) && v2.Test(vb) &&
                    BoneHasTriangleAt(document, b1, va, vb) != -1 &&
                    BoneHasTriangleAt(document, b2, va, vb) != -1) {
                    marked.push_back(va);
                    marked.push_back(vb);
                }
            }
            for (int v : marked) {
                out.vertices[b2].ClearBit(v);
            }
        }
    }
}

int Ownership(const ModelDocument& document, ReferenceOwnership& out) {
    const MeshData& mesh = document.model.mesh;
    VertexSet unowned;
    for (int v = 0; v < VertexSet::SIZE; ++v) {
        if (!mesh.usedVertices.Test(v)) {
            continue;
        }
        int owner = -1;
        for (int b = 0; b < NUM_BONES; ++b) {
            if (!out.vertices[b].Test(v)) {
                continue;
            }
            if (owner < 0) {
                owner = b;
            } else {
                out.vertices[b].ClearBit(v);
            }
        }
        if (owner < 0) {
            unowned.SetBit(v);
        }
    }
    if (!unowned.Any()) {
        return GENERATION_DONE;
    }
    out.highlight.ClearAll();
    for (int v = 0; v < VertexSet::SIZE; ++v) {
        int cursor = -1;
        while (unowned.Test(v) && mesh.NextTriangleWithVertex(cursor, v)) {
            out.highlight.SetBit(cursor);
        }
    }
    return GENERATION_UNOWNED_VERTICES;
}

}  // namespace

void AssignBoneVerticesReference(const ModelDocument& document, ReferenceOwnership& out) {
    out.statusLines = 0;
    if (document.model.Shape() == nullptr) {
        out.result = GENERATION_NO_MESH;
        return;
    }
    if ((out.result = SharedTriangles(document, out)) != GENERATION_DONE) {
        return;
    }
    Corners(document, out);
    if ((out.result = UnassignedTriangles(document, out)) != GENERATION_DONE) {
        return;
    }
    Seams(document, out);
    out.result = Ownership(document, out);
}
