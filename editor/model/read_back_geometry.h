#pragma once

#include "scene/forward.h"

namespace editor::model {

using namespace ::scene;

class MeshData;

// Copies the geometry a shape currently draws back into mesh, so that edits made through the
// scene reach the model data. With localOnly the vertices stay in the shape's own coordinates;
// otherwise they are placed where the scene shows them (the shape's position and orientation
// relative to scene, or to its parent when scene is null; a scale is not applied).
//
// Returns 1, or 0 with the mesh unchanged when the geometry does not fit (more than 2048
// vertices or triangles, faces that are not triangles) or the mesh's face list is not a
// triangle list.
int ReadBackGeometry(const C3dShape& shape, MeshData& mesh, const C3dFrame* scene, bool localOnly);

}  // namespace editor::model
