#pragma once

#include <string>

#include "editor/model/forward.h"

namespace editor::props {

using namespace ::editor::model;

// The confirmations shown before texture coordinates are moved: where the mesh's skin area was
// (from its current texture bounds) and where and how large it will be.
std::string ModelSkinNote(const MeshData& model, const SkinRegion& modelSide);
std::string PropSkinNote(const MeshData& prop, const SkinRegion& propSide);

// A scale as the percentage shown to the user (truncated, so 0.65 shows as 64).
int ScalePercent(double scale);

}  // namespace editor::props
