#pragma once
// Closed hands for holding weapons, cloned from the open hands of the model: the copy shares
// the wrist seam with the forearm, is bound to the closed-hand bone and saved as a group.

#include <array>

#include "editor/hands/hand_sides.h"
#include "editor/model/fixed_bit_sets.h"
#include "editor/model/forward.h"

namespace editor::hands {

using namespace ::editor::model;

// What cloning one open hand adds to a mesh.
struct HandClonePlan {
    // The open hand's triangles, each cloned once.
    TriangleSet openTriangles;
    // Corners of the open hand that no forearm triangle uses; each is copied. The others, the
    // wrist seam, are shared by the clone, which so stays joined to the arm.
    VertexSet handOnlyVertices;
};

// Both open hands and both forearms have triangles bound; cloning needs all four.
bool HandsAndForearmsBound(const ModelDocument& document);
// Either closed hand has triangles bound, which cloning replaces.
bool ClosedHandsBound(const ModelDocument& document);

// The plan of each side (HAND_SIDES order) for the model's mesh and the bones' bindings.
std::array<HandClonePlan, 2> PlanHandClones(const ModelDocument& document);

enum class CloneResult {
    Cloned,
    // The clones would pass the mesh's vertex or triangle capacity.
    TooLarge,
    // The group table has no room for the two new groups.
    TooManyGroups,
};

// Clones both open hands in the model's mesh as it stands (the caller reads it back from the
// scene first): appends the hand-only vertices and the cloned triangles (sharing the open
// hands' texture vertices), binds each closed-hand bone to its clone alone, saves each clone as
// a group ("LHC", "RHC", or the next free "x..." name), switches the closed-hand mesh nodes on
// and places the grips and closed-hand bones. On failure nothing at all has changed.
CloneResult CloneHands(ModelDocument& document);

}  // namespace editor::hands
