#pragma once

#include "editor/io/raw_mesh.h"

#include "editor/model/forward.h"

namespace editor::io {

using namespace ::editor::model;

// Clears the target and copies the raw mesh into it (groups only when the target has a group
// table). A raw mesh that exceeds a capacity or names elements that do not exist is refused:
// the target is left cleared and false returned. The import is not finished here.
bool StoreRawMesh(const RawMesh& raw, MeshData& target);

// StoreRawMesh followed by FinishImport; the readers' 0 on success, -1 (target cleared) when
// the mesh was refused.
int StoreAndFinish(const RawMesh& raw, MeshData& target);

}  // namespace editor::io
