#pragma once
// Meshes and skeletons for proving and timing the binding guess.

#include <cstdint>
#include <memory>

#include "editor/groups/bone_guess.h"

using namespace ::editor::groups;

// The skeleton as it stands after start-up (default pose, every mesh node active).
GuessSkeleton StartUpSkeleton();
// A closed, slightly bumpy tube around every bone with caps at both ends, and a small cape
// behind the back: 2048 triangles.
void AddCharacterMesh(MeshData& mesh, const GuessSkeleton& skeleton, uint32_t seed);
// Scales and moves the mesh so that its bounds cover the skeleton's height, centred on it.
void FitOverSkeleton(MeshData& mesh, const GuessSkeleton& skeleton);
// Every triangle of the mesh.
TriangleSet AllTriangles(const MeshData& mesh);
