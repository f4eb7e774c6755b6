#pragma once
// Bound meshes for proving and timing generation.

#include <cstdint>

#include "editor/model/fixed_bit_sets.h"
#include "editor/model/skeleton_tables.h"

#include "editor/model/forward.h"

using namespace ::editor::model;

using BoundTriangles = TriangleSet[NUM_BONES];

// A quad for every pair of bones that share a joint, one triangle to each bone, all the quads of
// a joint sharing one centre vertex: a seam between every pair of neighbouring bones.
void AddNeighbourSeams(MeshData& mesh, BoundTriangles& bound);
// A 32 x 32 grid of quads (2048 triangles) cut into patches around random seeds, one bone per
// patch; unbound and doubly bound cells at the given rates (per thousand).
void AddPatchGrid(MeshData& mesh, BoundTriangles& bound, uint32_t seed, int unboundPerMille,
                  int doublePerMille);
// The 2048-triangle tube character of the guess tests, every tube bound to its own bone and the
// cape to the upper torso.
void BindCharacterTubes(const MeshData& mesh, BoundTriangles& bound);

// Puts the mesh and bindings into the document's model and bones and builds the model's shape
// (in the document's scene when it has one).
void InstallModel(ModelDocument& document, const MeshData& mesh, const BoundTriangles& bound);
