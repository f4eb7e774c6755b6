#include "winding_reference.h"

#include "editor/model/mesh_data.h"
#include "editor/model/visibility_pass.h"
#include "editor/model/winding.h"

using namespace ::editor::model;

namespace {

bool Has(const MeshData& mesh, int t, int v) {
    int a, b, c;
    mesh.GetTriangle(t, a, b, c);
    return a == v || b == v || c == v;
}

int Remaining(const MeshData& mesh, const TriangleSet& set) {
    int count = 0;
    for (int t = 0; t < mesh.TriangleCount(); ++t) {
        count += set.Test(t) ? 1 : 0;
    }
    return count;
}

bool Reach(MeshData& mesh, int t, TriangleSet& candidates, TriangleRecord* records) {
    int a, b, c;
    mesh.GetTriangle(t, a, b, c);
    bool reached = false;
    for (int n = 0; n < mesh.TriangleCount(); ++n) {
        if (n != t && candidates.Test(n) && Has(mesh, n, a) &&
            (Has(mesh, n, b) || Has(mesh, n, c))) {
            MatchWinding(mesh, n, t, records);
            candidates.ClearBit(n);
            reached = true;
            Reach(mesh, n, candidates, records);
        }
    }
    for (int n = 0; n < mesh.TriangleCount(); ++n) {
        if (n != t && candidates.Test(n) && Has(mesh, n, b) && Has(mesh, n, c)) {
            MatchWinding(mesh, n, t, records);
            candidates.ClearBit(n);
            reached = true;
            Reach(mesh, n, candidates, records);
        }
    }
    return reached;
}

}  // namespace

int ReferenceOrientVisibleTriangles(MeshData& mesh, const Vector& viewpoint,
                                    TriangleRecord* records, TriangleSet& remaining,
                                    bool onlyRemainingOcclude) {
    const int count = mesh.TriangleCount();
    bool reversed = true;
    while (reversed) {
        reversed = false;
        for (int t = 0; t < count; ++t) {
            if (!remaining.Test(t)) {
                continue;
            }
            const SightLine line = SightLineTo(viewpoint, records[t]);
            bool occluded = false;
            for (int s = 0; s < count && !occluded; ++s) {
                if (s != t && (!onlyRemainingOcclude || remaining.Test(s))) {
                    occluded = BlocksSightLine(records[s], line);
                }
            }
            if (occluded) {
                continue;
            }
            const double facing =
                records[t].normal.Dot(Vector::Subtract(viewpoint, records[t].centre));
            if (facing < 0.0) {
                ReverseWinding(mesh, t, &records[t]);
                reversed = true;
            }
            if (facing != 0.0) {
                remaining.ClearBit(t);
            }
        }
    }
    return Remaining(mesh, remaining);
}

int ReferenceOrientNeighbours(MeshData& mesh, int t, TriangleSet& candidates,
                              TriangleRecord* records) {
    candidates.ClearBit(t);
    return Reach(mesh, t, candidates, records) ? 1 : 0;
}

int ReferenceTriangleNeighbours(const MeshData& mesh, int t, int* list, int capacity) {
    int corners[3];
    mesh.GetTriangle(t, corners[0], corners[1], corners[2]);
    int count = 0;
    for (int k = 0; k < 3; ++k) {
        for (int n = 0; n < mesh.TriangleCount(); ++n) {
            if (n != t && Has(mesh, n, corners[k]) && Has(mesh, n, corners[(k + 1) % 3])) {
                if (count < capacity) {
                    list[count] = n;
                }
                ++count;
            }
        }
    }
    return count;
}

bool ReferenceOrientByVisibility(MeshData& mesh) {
    std::unique_ptr<TriangleRecord[]> records = BuildTriangleRecords(mesh);
    if (!records) {
        return false;
    }
    const int count = mesh.TriangleCount();
    TriangleSet remaining;
    remaining.SetRange(0, count);
    for (const Vector& viewpoint : VISIBILITY_VIEWPOINTS) {
        if (Remaining(mesh, remaining) == 0) {
            break;
        }
        ReferenceOrientVisibleTriangles(mesh, viewpoint, records.get(), remaining, false);
        for (bool changed = true; changed;) {
            changed = false;
            for (int t = 0; t < count; ++t) {
                if (!remaining.Test(t) &&
                    ReferenceOrientNeighbours(mesh, t, remaining, records.get())) {
                    changed = true;
                }
            }
        }
    }
    while (Remaining(mesh, remaining) > 0) {
        const int before = Remaining(mesh, remaining);
        if (ReferenceOrientVisibleTriangles(mesh, VISIBILITY_VIEWPOINTS[0], records.get(),
                                            remaining, true) == before) {
            for (int t = 0; t < count; ++t) {
                if (remaining.Test(t)) {
                    remaining.ClearBit(t);
                    break;
                }
            }
        }
        for (bool changed = true; changed;) {
            changed = false;
            for (int t = 0; t < count; ++t) {
                if (!remaining.Test(t)) {
                    continue;
                }
                int neighbours[6];
                const int found = ReferenceTriangleNeighbours(mesh, t, neighbours, 6);
                for (int i = 0; i < found && i < 6; ++i) {
                    if (!remaining.Test(neighbours[i])) {
                        if (ReferenceOrientNeighbours(mesh, neighbours[i], remaining,
                                                      records.get())) {
                            changed = true;
                        }
                        break;
                    }
                }
            }
        }
    }
    return true;
}
