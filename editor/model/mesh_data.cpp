#include "editor/model/mesh_data.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>

#include "editor/model/triangle_group_table.h"

namespace editor::model {

namespace {

constexpr int32_t TRIANGLE_WORD = 3;

// Counts are public fields that readers fill in; never let a bad one steer an index.
int Clipped(int32_t count) {
    return std::clamp<int32_t>(count, 0, MAX_MESH_ELEMENTS);
}

// The index after a caller's cursor, safe for any cursor value.
int After(int cursor) {
    return cursor < 0 ? 0 : (cursor == INT32_MAX ? INT32_MAX : cursor + 1);
}

}  // namespace

MeshData::MeshData() = default;

MeshData::~MeshData() = default;

void MeshData::Clear() {
    vertexCount = 0;
    faceCount = 0;
    texVertexCount = 0;
    faces[0] = 0;
    texFaces[0] = 0;
    usedVertices.ClearAll();
    std::fill(std::begin(reserved), std::end(reserved), 0u);
    if (groupTable != nullptr) {
        groupTable->ClearGroups();
    }
    ReleaseNormalIndices();
    oriented = 1;
}

void MeshData::CopyGeometryFrom(const MeshData& other) {
    if (&other == this) {
        return;
    }
    vertexCount = Clipped(other.vertexCount);
    faceCount = Clipped(other.faceCount);
    texVertexCount = Clipped(other.texVertexCount);
    std::copy(other.vertices, other.vertices + MAX_MESH_ELEMENTS, vertices);
    std::copy(other.texVertices, other.texVertices + MAX_MESH_ELEMENTS, texVertices);
    std::memcpy(faces, other.faces, sizeof faces);
    std::memcpy(texFaces, other.texFaces, sizeof texFaces);
    usedVertices = other.usedVertices;
    oriented = other.oriented;
}

int MeshData::AddVertex(const Vector& point) {
    if (vertexCount < 0 || vertexCount >= MAX_MESH_ELEMENTS) {
        return -1;
    }
    vertices[vertexCount] = point;
    return vertexCount++;
}

int MeshData::GetVertex(int i, Vector& point) const {
    if (i < 0 || i >= Clipped(vertexCount)) {
        return 0;
    }
    point = vertices[i];
    return 1;
}

int MeshData::FindVertex(const Vector& point, int start, double tolerance) const {
    const double limit = std::fabs(tolerance);
    for (int i = std::max(start, 0); i < Clipped(vertexCount); ++i) {
        const Vector& v = vertices[i];
        if (limit == 0.0) {
            if (v.x == point.x && v.y == point.y && v.z == point.z) {
                return i;
            }
            continue;
        }
        double dx = static_cast<double>(v.x) - point.x;
        double dy = static_cast<double>(v.y) - point.y;
        double dz = static_cast<double>(v.z) - point.z;
        if (std::sqrt(dx * dx + dy * dy + dz * dz) < limit) {
            return i;
        }
    }
    return -1;
}

int MeshData::AddTriangle(int a, int b, int c, int ta, int tb, int tc) {
    const int vertexLimit = Clipped(vertexCount);
    for (int corner : {a, b, c}) {
        if (corner < 0 || corner >= vertexLimit) {
            return -1;
        }
    }
    if (faceCount < 0 || faceCount >= MAX_MESH_ELEMENTS) {
        return -1;
    }
    if (!IsTriangleList()) {
        return 0;
    }
    int32_t* record = faces + faceCount * FACE_RECORD_WORDS;
    int32_t* texRecord = texFaces + faceCount * FACE_RECORD_WORDS;
    const int32_t corners[FACE_RECORD_WORDS] = {TRIANGLE_WORD, a, b, c};
    const int32_t texCorners[FACE_RECORD_WORDS] = {TRIANGLE_WORD, ta, tb, tc};
    std::copy(corners, corners + FACE_RECORD_WORDS, record);
    std::copy(texCorners, texCorners + FACE_RECORD_WORDS, texRecord);
    record[FACE_RECORD_WORDS] = 0;
    texRecord[FACE_RECORD_WORDS] = 0;
    usedVertices.SetBit(a);
    usedVertices.SetBit(b);
    usedVertices.SetBit(c);
    return faceCount++;
}

bool MeshData::IsTriangleList() const {
    return faceCount <= 0 || faces[0] == TRIANGLE_WORD;
}

int MeshData::TriangleCount() const {
    return IsTriangleList() ? Clipped(faceCount) : 0;
}

int MeshData::GetTriangle(int i, int& a, int& b, int& c) const {
    if (i < 0 || i >= TriangleCount()) {
        return 0;
    }
    const int32_t* record = Record(i);
    a = record[1];
    b = record[2];
    c = record[3];
    return 1;
}

int MeshData::GetTexTriangle(int i, int& ta, int& tb, int& tc) const {
    if (i < 0 || i >= TriangleCount()) {
        return 0;
    }
    const int32_t* record = TexRecord(i);
    ta = record[1];
    tb = record[2];
    tc = record[3];
    return 1;
}

bool MeshData::ReverseTriangle(int i) {
    if (i < 0 || i >= TriangleCount()) {
        return false;
    }
    int32_t* record = faces + i * FACE_RECORD_WORDS;
    int32_t* texRecord = texFaces + i * FACE_RECORD_WORDS;
    std::swap(record[1], record[3]);
    std::swap(texRecord[1], texRecord[3]);
    return true;
}

bool MeshData::NegateCoordinate(int axis) {
    if (axis < 0 || axis > 2) {
        return false;
    }
    for (int i = 0; i < Clipped(vertexCount); ++i) {
        float& value = axis == 0 ? vertices[i].x : axis == 1 ? vertices[i].y : vertices[i].z;
        value = -value;
    }
    return true;
}

bool MeshData::HasCorner(int t, int v) const {
    const int32_t* record = Record(t);
    return record[1] == v || record[2] == v || record[3] == v;
}

int MeshData::FindTriangleByVertices(int a, int b, int c) const {
    for (int t = 0; t < TriangleCount(); ++t) {
        if (HasCorner(t, a) && HasCorner(t, b) && HasCorner(t, c)) {
            return t;
        }
    }
    return -1;
}

int MeshData::NextTriangleWithVertex(int& cursor, int v) const {
    for (int t = After(cursor); t < TriangleCount(); ++t) {
        if (HasCorner(t, v)) {
            cursor = t;
            return 1;
        }
    }
    cursor = -1;
    return 0;
}

int MeshData::EdgeCount() const {
    return 3 * TriangleCount();
}

int MeshData::GetEdge(int e, int& p, int& q) const {
    if (e < 0 || e >= EdgeCount()) {
        return 0;
    }
    const int32_t* record = Record(e / 3);
    const int corner = e % 3;
    p = record[1 + corner];
    q = record[1 + (corner + 1) % 3];
    return 1;
}

int MeshData::FindEdge(int p, int q) const {
    int cursor = -1;
    return NextEdge(cursor, p, q);
}

int MeshData::NextEdge(int& cursor, int p, int q) const {
    const int edges = EdgeCount();
    for (int e = After(cursor); e < edges; ++e) {
        int from = 0;
        int to = 0;
        GetEdge(e, from, to);
        if ((from == p && to == q) || (from == q && to == p)) {
            cursor = e;
            return e;
        }
    }
    cursor = -1;
    return -1;
}

int MeshData::NextNeighbour(int& cursor, int p) const {
    const int edges = EdgeCount();
    for (int e = After(cursor); e < edges; ++e) {
        int from = 0;
        int to = 0;
        GetEdge(e, from, to);
        if (from == p || to == p) {
            cursor = e;
            return from == p ? to : from;
        }
    }
    cursor = -1;
    return -1;
}

bool MeshData::AllocNormalIndices() {
    ReleaseNormalIndices();
    normalIndices.reset(new (std::nothrow) uint8_t[NORMAL_INDEX_COUNT]());
    return normalIndices != nullptr;
}

void MeshData::ReleaseNormalIndices() {
    normalIndices.reset();
}

}  // namespace editor::model
