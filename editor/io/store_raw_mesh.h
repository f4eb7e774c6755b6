#pragma once

#include <string>

#include "editor/io/raw_mesh.h"

#include "editor/model/forward.h"

namespace editor::io {

using namespace ::editor::model;

// Clears the target and copies the raw mesh into it (groups only when the target has a group
// table). A raw mesh that exceeds a capacity or names elements that do not exist is refused:
// the target is left cleared and the status says why. The import is not finished here.
Status StoreRawMesh(const RawMesh& raw, MeshData& target);

// StoreRawMesh followed by FinishImport; the readers' 0 on success, -1 (target cleared) when
// the mesh was refused, with the reason in refusal when given.
int StoreAndFinish(const RawMesh& raw, MeshData& target, std::string* refusal = nullptr);

}  // namespace editor::io
