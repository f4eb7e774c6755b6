#pragma once

#include "editor/model/forward.h"

namespace editor::props {

using namespace ::editor::model;

// The region a mesh's skin uses, from its texture bounds: x = newX = trunc(min.u),
// y = newY = trunc(min.v), width and height the rounded extents, scales 1, not turned.
void SetRegionFromBounds(const MeshData& mesh, SkinRegion& region);

// True when the two meshes' skin areas meet (closed column and row ranges), and always when
// the prop's coordinates reach 256.
bool TexturesOverlap(const MeshData& model, const MeshData& prop);

// The scale of search step k: 1.0 down by 0.05 a step.
double RemapStepScale(int step);

// Searches a free place for the prop's skin area, shrinking the model's area towards its
// upper-left corner and the prop's area as needed, and turning the prop's area when only that
// fits. Fills the scales, new corner and turn of both regions; uses the document's usedTexels
// as scratch. 1 on success, 0 when nothing fits.
int RemapSkins(ModelDocument& document, SkinRegion& modelSide, SkinRegion& propSide);

// Moves each mesh's texture coordinates as its region says: to the origin, scaled, turned
// (the prop only), then to the new corner. A refused step leaves the coordinates and the next
// step goes on.
void ApplySkinRegions(MeshData& model, MeshData& prop, const SkinRegion& modelSide,
                      const SkinRegion& propSide);

}  // namespace editor::props
