#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "bytes/status.h"
#include "editor/io/raw_mesh.h"
#include "editor/model/forward.h"
#include "scene/forward.h"

namespace editor::io {

using namespace ::scene;
using namespace ::editor::model;

// The first mesh of a DirectX (.x) file: its positions and triangles as the file holds them (no
// scene transform), the file's winding kept, no texture coordinates; and the names of the
// pictures its material gives as diffuse maps, in the file's order.
struct XMesh {
    RawMesh mesh;
    std::vector<std::string> textureNames;
};

// Reads an .x file from bytes with assimp in this process (for the fuzzer). Refused with why
// when assimp cannot read it or its first mesh does not fit the capacities.
Status ReadXMesh(std::span<const uint8_t> bytes, XMesh& x);

// Loads the first mesh of the .x file at path into target and makes shape draw it. Each texture
// the file names is loaded as a picture when it can be (as given, then beside the file) and
// handed to the shape, which owns it. assimp reads the file in a child process: a file that
// crashes or hangs it is refused with "assimp stopped while reading 'NAME' (signal N)" (or "(no
// answer within 60 s)"); any other file that cannot be loaded or does not fit with "not a
// DirectX file the editor can read". The target is cleared on refusal.
Status ReadXFile(C3dShape& shape, MeshData& target, const std::string& path);

}  // namespace editor::io
