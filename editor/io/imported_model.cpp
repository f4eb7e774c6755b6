#include "editor/io/imported_model.h"

#include <map>

#include "editor/io/raw_mesh.h"

namespace editor::io {

namespace {

template <typename Key>
std::vector<uint32_t> FirstOfEach(const std::vector<Key>& keys, std::size_t& distinct) {
    std::map<Key, uint32_t> first;
    std::vector<uint32_t> slots(keys.size());
    for (std::size_t i = 0; i < keys.size(); ++i) {
        auto [at, added] = first.emplace(keys[i], static_cast<uint32_t>(first.size()));
        slots[i] = at->second;
    }
    distinct = first.size();
    return slots;
}

}  // namespace

std::vector<uint32_t> FirstAtSamePlace(const std::vector<std::array<float, 3>>& positions) {
    std::map<std::array<float, 3>, uint32_t> first;
    std::vector<uint32_t> result(positions.size());
    for (std::size_t i = 0; i < positions.size(); ++i) {
        result[i] = first.emplace(positions[i], static_cast<uint32_t>(i)).first->second;
    }
    return result;
}

StoredCounts CountStored(const ImportedModel& model) {
    StoredCounts counts;
    FirstOfEach(model.positions, counts.vertices);
    if (!model.uvs.empty()) {
        FirstOfEach(model.uvs, counts.texVertices);
    }
    counts.triangles = model.TriangleCount();
    return counts;
}

void ToRawMesh(const ImportedModel& model, RawMesh& raw) {
    raw = RawMesh{};
    std::size_t vertexCount = 0;
    std::size_t texCount = 0;
    const std::vector<uint32_t> vertexSlot = FirstOfEach(model.positions, vertexCount);
    std::vector<uint32_t> texSlot;
    if (!model.uvs.empty()) {
        texSlot = FirstOfEach(model.uvs, texCount);
        raw.texVertices.resize(texCount);
        for (std::size_t i = 0; i < model.uvs.size(); ++i) {
            raw.texVertices[texSlot[i]] = model.uvs[i];
        }
    }
    raw.vertices.resize(vertexCount);
    for (std::size_t i = 0; i < model.positions.size(); ++i) {
        raw.vertices[vertexSlot[i]] = model.positions[i];
    }
    raw.triangles.reserve(model.TriangleCount());
    for (std::size_t t = 0; t + 2 < model.indices.size(); t += 3) {
        RawTriangle triangle;
        for (int k = 0; k < 3; ++k) {
            const uint32_t v = model.indices[t + static_cast<std::size_t>(k)];
            triangle.corners[k] = static_cast<int32_t>(vertexSlot[v]);
            triangle.texCorners[k] = texSlot.empty() ? 0 : static_cast<int32_t>(texSlot[v]);
        }
        raw.triangles.push_back(triangle);
    }
    raw.oriented = true;
}

}  // namespace editor::io
