#include "editor/hands/clone_hands.h"

#include <cstdint>
#include <numeric>
#include <vector>

#include "editor/groups/triangles_around.h"
#include "editor/hands/closed_hand_bones.h"
#include "editor/model/fixed_bit_sets.h"
#include "editor/model/model_document.h"
#include "editor/model/triangle_group_table.h"
#include "editor/skeleton/skeleton_scene.h"

namespace editor::hands {

using namespace ::editor::groups;
using namespace ::editor::model;
using namespace ::editor::skeleton;

namespace {

// A bone's triangles that the mesh has; bits past its end name nothing to clone.
TriangleSet BoundInMesh(const ModelDocument& document, int bone) {
    TriangleSet bound = document.bones[bone].boundTriangles;
    const int count = document.model.mesh.TriangleCount();
    bound.ClearRange(count, TriangleSet::SIZE - count);
    return bound;
}

bool BoneBound(const ModelDocument& document, int bone) {
    return BoundInMesh(document, bone).Any();
}

bool Fits(const MeshData& mesh, const std::array<HandClonePlan, 2>& plans) {
    int triangles = mesh.TriangleCount();
    int vertices = mesh.vertexCount;
    for (const HandClonePlan& plan : plans) {
        triangles += plan.openTriangles.Count();
        vertices += plan.handOnlyVertices.Count();
    }
    return triangles <= MAX_MESH_ELEMENTS && vertices <= MAX_MESH_ELEMENTS;
}

bool GroupsFit(const TriangleGroupTable* table) {
    return table != nullptr &&
           table->GroupCount() + static_cast<int>(HAND_SIDES.size()) <= MAX_TRIANGLE_GROUPS;
}

// Appends the clone of one hand and returns its triangles. Each side maps its own copies, so
// that a vertex both hands use (overlapping bindings) is not shared across them.
TriangleSet AppendClone(MeshData& mesh, const HandClonePlan& plan) {
    const int originalVertices = mesh.vertexCount;
    std::vector<int> copyOf(originalVertices);
    std::iota(copyOf.begin(), copyOf.end(), 0);
    plan.handOnlyVertices.ForEachSet([&](int v) { copyOf[v] = mesh.AddVertex(mesh.vertices[v]); },
                                     originalVertices);
    TriangleSet clone;
    plan.openTriangles.ForEachSet(
        [&](int t) {
            int a = 0, b = 0, c = 0, ta = 0, tb = 0, tc = 0;
            mesh.GetTriangle(t, a, b, c);
            mesh.GetTexTriangle(t, ta, tb, tc);
            clone.SetBit(mesh.AddTriangle(copyOf[a], copyOf[b], copyOf[c], ta, tb, tc));
        },
        mesh.TriangleCount());
    return clone;
}

void SwitchOnClosedHandNodes(ModelDocument& document) {
    uint32_t nodes[NUM_MESH_NODES];
    GetActiveNodes(document, nodes);
    for (const HandSide& side : HAND_SIDES) {
        nodes[side.closedHandMeshNode] = 1;
    }
    SetActiveNodes(document, nodes);
}

}  // namespace

bool HandsAndForearmsBound(const ModelDocument& document) {
    for (const HandSide& side : HAND_SIDES) {
        if (!BoneBound(document, side.openHandBone) || !BoneBound(document, side.forearmBone)) {
            return false;
        }
    }
    return true;
}

bool ClosedHandsBound(const ModelDocument& document) {
    for (const HandSide& side : HAND_SIDES) {
        if (BoneBound(document, side.closedHandBone)) {
            return true;
        }
    }
    return false;
}

std::array<HandClonePlan, 2> PlanHandClones(const ModelDocument& document) {
    const MeshData& mesh = document.model.mesh;
    std::array<HandClonePlan, 2> plans;
    for (std::size_t s = 0; s < HAND_SIDES.size(); ++s) {
        HandClonePlan& plan = plans[s];
        plan.openTriangles = BoundInMesh(document, HAND_SIDES[s].openHandBone);
        plan.handOnlyVertices = CornersOf(mesh, plan.openTriangles);
        plan.handOnlyVertices.AndNot(
            CornersOf(mesh, BoundInMesh(document, HAND_SIDES[s].forearmBone)));
    }
    return plans;
}

CloneResult CloneHands(ModelDocument& document) {
    MeshData& mesh = document.model.mesh;
    const std::array<HandClonePlan, 2> plans = PlanHandClones(document);
    // Everything that can fail is checked before anything changes.
    if (!Fits(mesh, plans)) {
        return CloneResult::TooLarge;
    }
    TriangleGroupTable* groups = mesh.groupTable.get();
    if (!GroupsFit(groups)) {
        return CloneResult::TooManyGroups;
    }
    std::array<TriangleSet, 2> clones;
    for (std::size_t s = 0; s < HAND_SIDES.size(); ++s) {
        clones[s] = AppendClone(mesh, plans[s]);
    }
    SwitchOnClosedHandNodes(document);
    for (std::size_t s = 0; s < HAND_SIDES.size(); ++s) {
        const HandSide& side = HAND_SIDES[s];
        PlaceClosedHand(document, side);
        document.bones[side.closedHandBone].boundTriangles = clones[s];
        groups->SaveGroup(groups->UniqueGroupName(side.groupName), &clones[s]);
    }
    return CloneResult::Cloned;
}

}  // namespace editor::hands
