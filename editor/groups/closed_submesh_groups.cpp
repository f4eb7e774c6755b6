#include "editor/groups/closed_submesh_groups.h"

#include "editor/groups/flood_fill_triangles.h"
#include "editor/model/mesh_data.h"
#include "editor/model/triangle_group_table.h"

namespace editor::groups {

using namespace ::editor::model;

namespace {

constexpr int SUFFIX_LETTERS = 25;  // A to Y

// The smallest group containing piece; on equal counts the later group wins. -1 when none.
int SmallestGroupHolding(const TriangleGroupTable& table, const TriangleSet& piece) {
    int best = -1;
    int bestCount = 0;
    for (int g = 0; g < table.GroupCount(); ++g) {
        const TriangleSet* set = table.GroupSet(g);
        if (set == nullptr || !piece.IsSubsetOf(*set)) {
            continue;
        }
        const int count = set->Count();
        if (best < 0 || count <= bestCount) {
            best = g;
            bestCount = count;
        }
    }
    return best;
}

// The closed piece of remaining that holds its lowest triangle.
void NextPiece(const MeshData& mesh, const TriangleSet& remaining, TriangleSet& piece) {
    const int t = remaining.FindSetRun(0, 1);
    int a = -1, b, c;
    mesh.GetTriangle(t, a, b, c);
    // A corner outside the mesh reaches nothing; the triangle is then a piece of its own.
    if (FloodFillTriangles(mesh, a, remaining, piece) == 0) {
        piece.SetBit(t);
    }
}

// The group's triangles that the mesh holds: bits beyond the last triangle are no piece.
TriangleSet TrianglesOf(const MeshData& mesh, const TriangleSet& group) {
    TriangleSet held = group;
    const int count = mesh.TriangleCount();
    held.ClearRange(count, TriangleSet::SIZE - count);
    return held;
}

}  // namespace

std::string ClosedSubmeshSuffix(int k) {
    std::string suffix(2, 'A');
    suffix[0] = static_cast<char>('A' + k / SUFFIX_LETTERS);
    suffix[1] = static_cast<char>('A' + k % SUFFIX_LETTERS);
    return suffix;
}

int OfferClosedSubmeshGroups(MeshData& mesh, Prompts& prompts) {
    if (mesh.groupTable == nullptr) {
        return 0;
    }
    TriangleGroupTable& table = *mesh.groupTable;
    bool asked = false;
    int added = 0;
    // Groups added here are visited too, as the loop reaches them; they hold one piece each.
    for (int g = 0; g < table.GroupCount(); ++g) {
        TriangleSet remaining = TrianglesOf(mesh, *table.GroupSet(g));
        TriangleSet piece;
        while (remaining.Any()) {
            NextPiece(mesh, remaining, piece);
            const int holder = SmallestGroupHolding(table, piece);
            if (holder >= 0 && table.GroupSet(holder)->Count() > piece.Count()) {
                if (!asked && !prompts.AskYesNo(CLOSED_SUBMESH_QUESTION)) {
                    return added;
                }
                asked = true;
                const std::string holderName = table.GroupName(holder);
                const std::string name = holderName + ClosedSubmeshSuffix(added);
                // A full table takes no more groups; say so rather than report one as added.
                if (!table.SaveGroup(name, &piece)) {
                    prompts.ReportProgress("Unable to add group '" + name + "' - too many groups.");
                    return added;
                }
                prompts.ReportProgress("Added group '" + name + "' - part of '" + holderName +
                                       "'.");
                ++added;
            }
            remaining.AndNot(piece);
        }
    }
    return added;
}

}  // namespace editor::groups
