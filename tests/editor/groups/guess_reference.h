#pragma once
// The binding guess written the straightforward way, as the proof of the fast one: every
// candidate's ray is tested against every triangle, and growth scans the unassigned triangles
// for every bone in every round.

#include <vector>

#include "editor/groups/bone_guess.h"

using namespace ::editor::groups;

// The bones named by the growth status, in order.
void GuessBindingsReference(const MeshData& mesh, const GuessSkeleton& skeleton,
                            const TriangleSet& assignable, BoneBindings& bindings,
                            std::vector<int>& statusBones);
// Edge neighbours found by walking every edge of the mesh.
int EdgeNeighboursReference(const MeshData& mesh, int t, int out[MAX_EDGE_NEIGHBOURS]);
