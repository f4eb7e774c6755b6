#pragma once
// Characters whose limbs are single tubes running through their joints, so that the surface
// crosses from bone to bone as real models do: the stretch and volume of smooth joints show.

#include <initializer_list>

#include "editor/groups/bone_guess.h"
#include "tests/editor/generate/bound_meshes.h"

using namespace ::editor::groups;

struct TubeShape {
    double radius;
    int ringsPerBone;
    int sides;
    bool capped;
};

// One tube along the chain of bones (each bone's end joint the next one's start), every ring of
// triangles bound to the bone it runs along.
void AddBoneChain(MeshData& mesh, BoundTriangles& bound, const GuessSkeleton& skeleton,
                  std::initializer_list<int> bones, const TubeShape& shape);
// Legs, torso to head and arms from chest to hand, each one tube.
void AddJointedCharacter(MeshData& mesh, BoundTriangles& bound, const GuessSkeleton& skeleton,
                         const TubeShape& shape);
