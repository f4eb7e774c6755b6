#pragma once

namespace editor::model {

class MeshData;

// Brings an imported mesh into the form the editor works with: used vertices marked, texture
// coordinates present and in whole texels of a 256 x 256 skin, and, unless the file's winding
// is trusted (oriented), every triangle wound to face outwards: by the file's normals when it
// had some, otherwise by the visibility pass. The normal table is released in every case.
void FinishImport(MeshData& mesh);

// The texture vertices an import gets when its file has none, used by every triangle.
inline constexpr float DEFAULT_TEX_VERTICES[3][2] = {{0.0f, 0.0f}, {0.0f, 10.0f}, {5.0f, 5.0f}};

}  // namespace editor::model
