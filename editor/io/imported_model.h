#pragma once
// A model as a general-purpose scene file holds it, before it is made to fit a FlexModel:
// every mesh merged in the editor's axes (+Z up), one texture coordinate per vertex (vertices
// are split where the texture is), and the file's own skeleton with its skin weights.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace editor::io {

struct SkinInfluence {
    int bone = 0;  // index into SourceRig::bones
    float weight = 0.0f;
};

// A bone of the file's skeleton where the mesh was bound to it.
struct SourceBone {
    std::string name;
    int parent = -1;  // -1 for a root; parents come first
    std::array<float, 3> position{};
};

struct SourceRig {
    std::vector<SourceBone> bones;
    // Per vertex of the model, the bones that move it; empty when the file has no skin.
    std::vector<std::vector<SkinInfluence>> influences;

    bool HasSkin() const { return !bones.empty() && !influences.empty(); }
};

struct ImportedModel {
    std::vector<std::array<float, 3>> positions;
    std::vector<std::array<float, 2>> uvs;  // one per position, or empty
    std::vector<uint32_t> indices;          // three per triangle
    SourceRig rig;
    // The first material's diffuse picture: a file name, or "*N" for a picture inside the file.
    std::string skinName;
    // A picture embedded in the file, in its own format (PNG, JPEG, ...); empty when none.
    std::vector<uint8_t> embeddedSkin;
    std::string embeddedSkinHint;  // its format's extension without the dot, when known

    std::size_t TriangleCount() const { return indices.size() / 3; }
};

// Position-unique and texture-unique counts, as a FlexModel would store the model.
struct StoredCounts {
    std::size_t vertices = 0;
    std::size_t texVertices = 0;
    std::size_t triangles = 0;
};
StoredCounts CountStored(const ImportedModel& model);

struct RawMesh;
// The model as the readers hand meshes on: equal positions and equal texture coordinates each
// stored once, the file's winding kept. Counts are not checked here.
void ToRawMesh(const ImportedModel& model, RawMesh& raw);

// A vertex weld: for each position, the first vertex at the same place.
std::vector<uint32_t> FirstAtSamePlace(const std::vector<std::array<float, 3>>& positions);

}  // namespace editor::io
