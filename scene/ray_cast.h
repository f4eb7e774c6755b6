#pragma once

#include <vector>

#include "scene/viewport.h"

namespace scene {

class C3dFrame;
class C3dMesh;

// Distance along a ray (origin + t . direction) to a triangle, seen from either side; false
// when the ray misses it or meets it at t <= 0.
bool RayHitsTriangle(const Vector& origin, const Vector& direction, const Vector& a,
                     const Vector& b, const Vector& c, double& t);

// The nearest face of a mesh that the ray (in the mesh's coordinates) meets between nearest
// and farthest; -1 when none.
int NearestFaceOnRay(const C3dMesh& mesh, const Vector& origin, const Vector& direction,
                     double nearest, double farthest, double& t);

// Appends one hit for every visible shape in the subtree that the world ray meets between
// the two distances (unordered).
void CollectRayHits(const C3dFrame& root, const C3dRay& ray, double nearest, double farthest,
                    std::vector<C3dPickHit>& hits);

}  // namespace scene
