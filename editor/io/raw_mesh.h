#pragma once
// What a mesh reader gets out of a file before anything is stored in a MeshData: plain lists,
// checked once against the editor's capacities before they are copied into the target.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "bytes/status.h"
#include "editor/model/capacities.h"

namespace editor::io {

using namespace ::bytes;
using namespace ::editor::model;

struct RawTriangle {
    std::array<int32_t, 3> corners{};
    std::array<int32_t, 3> texCorners{};
};

struct RawGroup {
    std::string name;
    std::vector<int> triangles;
};

struct RawMesh {
    std::vector<std::array<float, 3>> vertices;
    std::vector<std::array<float, 2>> texVertices;
    std::vector<RawTriangle> triangles;
    // One quantized normal per vertex (index into the vertex-normal table), or empty.
    std::vector<uint8_t> normalIndices;
    // Groups in creation order; names unique. Applied only to targets with a group table.
    std::vector<RawGroup> groups;
    // The file's winding is kept as stored (no winding pass when finishing the import).
    bool oriented = false;
    // For formats made of lines: the line of each triangle, so that a refusal can name it.
    std::vector<int> triangleLines;

    // Index of the group called name, or -1.
    int FindGroup(const std::string& name) const;
    // The group called name, added when absent; -1 when a new group would exceed the table.
    int GroupIndex(const std::string& name);
};

// True when every count fits the capacities and every vertex and texture index of every
// triangle names an element that exists (texture indices only when there are texture vertices:
// without them the import installs its own).
bool RawMeshFits(const RawMesh& mesh);
// Success when the mesh fits; otherwise refused with why, in words for the user ("2117
// vertices, more than 2048").
Status CheckRawMeshFits(const RawMesh& mesh);

}  // namespace editor::io
