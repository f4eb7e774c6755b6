#pragma once

#include "editor/model/forward.h"

namespace editor::props {

using namespace ::editor::model;

// Appends other's triangles, vertices and texture vertices behind target's, carries other's
// triangle groups over and finishes target as an import is finished. Refused (0, target
// unchanged) when the sums of vertices, triangles or texture vertices would pass 2048, or when
// either face list does not hold triangles; 1 otherwise.
int AppendMesh(MeshData& target, const MeshData& other);

// Reads the prop's mesh (and the model's, when it is drawn) back from the scene in scene
// coordinates and appends the prop to the model. 0 when a read-back fails or the append is
// refused.
int MergePropMesh(ModelDocument& document);

}  // namespace editor::props
