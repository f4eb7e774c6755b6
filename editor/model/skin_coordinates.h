#pragma once

#include <vector>

#include "scene/mesh.h"

namespace editor::model {

using namespace ::scene;

class MeshData;

// The texels of a 256 x 256 skin the texture coordinates count in.
inline constexpr double SKIN_TEXELS = 256.0;

// Three skin coordinates per triangle, in triangle order, as fractions of the skin: texel
// (u, v) / 256. A corner whose texture index names no texture vertex gets (0, 0).
std::vector<C3dTexCoord> SkinCoordinates(const MeshData& mesh);

}  // namespace editor::model
