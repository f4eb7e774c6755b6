#include "editor/io/parser_3ds.h"

#include <string>

#include "bytes/byte_reader.h"
#include "editor/io/chunks_3ds.h"

namespace editor::io {

using namespace ::bytes;

namespace {

constexpr uint16_t MAIN_CHUNK = CHUNK_3DS_MAIN;
constexpr uint16_t EDITOR_CHUNK = CHUNK_3DS_EDITOR;
constexpr uint16_t OBJECT_CHUNK = 0x4000;
constexpr uint16_t TRIANGLE_MESH_CHUNK = 0x4100;
constexpr uint16_t POINT_LIST_CHUNK = 0x4110;
constexpr uint16_t FACE_LIST_CHUNK = 0x4120;
constexpr uint16_t TEXTURE_VERTICES_CHUNK = 0x4140;
constexpr std::size_t CHUNK_HEADER_BYTES = CHUNK_3DS_HEADER_BYTES;
constexpr std::size_t POINT_BYTES = 12;
constexpr std::size_t FACE_BYTES = 8;
constexpr std::size_t TEX_VERTEX_BYTES = 8;
// Longer names are cut; an empty one gets a name of its own.
constexpr std::size_t MAX_OBJECT_NAME = 11;
// Chunks nest only a few levels; anything deeper is not a file this reader understands.
constexpr int MAX_DEPTH = 16;

struct Chunk {
    uint16_t id = 0;
    std::size_t start = 0;
    std::size_t end = 0;
};

// The points, faces and texture vertices of one triangle mesh, kept apart until the end so
// that faces index the object's own points whatever order its chunks come in.
struct ObjectMesh {
    int group = -1;
    std::vector<std::array<float, 3>> points;
    std::vector<std::array<int32_t, 3>> faces;
    std::vector<std::array<float, 2>> texVertices;
    bool hasTexVertices = false;
};

class Reader3ds {
  public:
    Reader3ds(std::span<const uint8_t> bytes, RawMesh& mesh) : in_(bytes), mesh_(mesh) {}

    bool Read();

  private:
    bool ReadChunkHeader(std::size_t limit, Chunk& chunk);
    bool WalkChildren(std::size_t from, const Chunk& parent, int depth);
    bool VisitChild(const Chunk& chunk, int depth);
    bool ReadObject(const Chunk& chunk, int depth);
    bool ReadTriangleMesh(const Chunk& chunk, int depth);
    bool ReadCount(const Chunk& chunk, std::size_t recordSize, uint16_t& count);
    bool ReadPoints(const Chunk& chunk);
    bool ReadFaces(const Chunk& chunk);
    bool ReadTexVertices(const Chunk& chunk);
    ObjectMesh& CurrentObject();
    bool AppendObject(const ObjectMesh& object);

    ByteReader in_;
    RawMesh& mesh_;
    std::vector<ObjectMesh> objects_;
    int currentObject_ = -1;
    int group_ = -1;
    std::size_t points_ = 0;
    std::size_t faces_ = 0;
    std::size_t texVertices_ = 0;
};

bool Reader3ds::ReadChunkHeader(std::size_t limit, Chunk& chunk) {
    chunk.start = in_.Position();
    uint32_t length = 0;
    if (!in_.ReadU16(chunk.id) || !in_.ReadU32(length)) {
        return false;
    }
    // A chunk shorter than its header or reaching past its parent ends the walk.
    if (length < CHUNK_HEADER_BYTES || chunk.start > limit || length > limit - chunk.start) {
        return false;
    }
    chunk.end = chunk.start + length;
    return true;
}

bool Reader3ds::Read() {
    Chunk main;
    while (in_.Remaining() >= CHUNK_HEADER_BYTES) {
        if (!ReadChunkHeader(in_.Size(), main) || main.id != MAIN_CHUNK) {
            break;
        }
        if (!WalkChildren(main.start + CHUNK_HEADER_BYTES, main, 0)) {
            return false;
        }
        in_.Seek(main.end);
    }
    bool anyTexVertices = false;
    for (const ObjectMesh& object : objects_) {
        if (!AppendObject(object)) {
            return false;
        }
        anyTexVertices = anyTexVertices || object.hasTexVertices;
    }
    // Without any texture vertices in the file the import supplies its defaults.
    if (!anyTexVertices) {
        mesh_.texVertices.clear();
    }
    return !mesh_.vertices.empty() && !mesh_.triangles.empty();
}

bool Reader3ds::WalkChildren(std::size_t from, const Chunk& parent, int depth) {
    if (depth > MAX_DEPTH) {
        return false;
    }
    if (!in_.Seek(from)) {
        return true;
    }
    Chunk child;
    while (in_.Position() + CHUNK_HEADER_BYTES <= parent.end) {
        if (!ReadChunkHeader(parent.end, child)) {
            break;
        }
        if (!VisitChild(child, depth + 1)) {
            return false;
        }
        in_.Seek(child.end);
    }
    return true;
}

bool Reader3ds::VisitChild(const Chunk& chunk, int depth) {
    switch (chunk.id) {
        case EDITOR_CHUNK:
            return WalkChildren(chunk.start + CHUNK_HEADER_BYTES, chunk, depth);
        case OBJECT_CHUNK:
            return ReadObject(chunk, depth);
        case TRIANGLE_MESH_CHUNK:
            return ReadTriangleMesh(chunk, depth);
        case POINT_LIST_CHUNK:
            return ReadPoints(chunk);
        case FACE_LIST_CHUNK:
            return ReadFaces(chunk);
        case TEXTURE_VERTICES_CHUNK:
            return ReadTexVertices(chunk);
        default:
            return true;
    }
}

bool Reader3ds::ReadObject(const Chunk& chunk, int depth) {
    std::string name;
    uint8_t c = 0;
    while (in_.Position() < chunk.end && in_.ReadU8(c) && c != 0) {
        name += static_cast<char>(c);
    }
    name = name.substr(0, MAX_OBJECT_NAME);
    if (name.empty()) {
        name = "Default name";
    }
    group_ = mesh_.GroupIndex(name);
    if (group_ < 0) {
        return false;
    }
    currentObject_ = -1;
    return WalkChildren(in_.Position(), chunk, depth);
}

bool Reader3ds::ReadTriangleMesh(const Chunk& chunk, int depth) {
    objects_.push_back(ObjectMesh{group_, {}, {}, {}, false});
    currentObject_ = static_cast<int>(objects_.size()) - 1;
    const bool read = WalkChildren(chunk.start + CHUNK_HEADER_BYTES, chunk, depth);
    currentObject_ = -1;
    return read;
}

// Point, face and texture chunks outside a triangle mesh still belong to some object.
ObjectMesh& Reader3ds::CurrentObject() {
    if (currentObject_ < 0) {
        objects_.push_back(ObjectMesh{group_, {}, {}, {}, false});
        currentObject_ = static_cast<int>(objects_.size()) - 1;
    }
    return objects_[currentObject_];
}

bool Reader3ds::ReadCount(const Chunk& chunk, std::size_t recordSize, uint16_t& count) {
    if (!in_.ReadU16(count)) {
        return false;
    }
    return static_cast<std::size_t>(count) * recordSize <= chunk.end - in_.Position();
}

bool Reader3ds::ReadPoints(const Chunk& chunk) {
    uint16_t count = 0;
    if (!ReadCount(chunk, POINT_BYTES, count) || points_ + count > MAX_MESH_ELEMENTS) {
        return false;
    }
    points_ += count;
    ObjectMesh& object = CurrentObject();
    for (uint16_t i = 0; i < count; ++i) {
        std::array<float, 3> p{};
        in_.ReadF32(p[0]);
        in_.ReadF32(p[1]);
        in_.ReadF32(p[2]);
        object.points.push_back(p);
    }
    return true;
}

bool Reader3ds::ReadFaces(const Chunk& chunk) {
    uint16_t count = 0;
    if (!ReadCount(chunk, FACE_BYTES, count) || faces_ + count > MAX_MESH_ELEMENTS) {
        return false;
    }
    faces_ += count;
    ObjectMesh& object = CurrentObject();
    for (uint16_t i = 0; i < count; ++i) {
        uint16_t a = 0, b = 0, c = 0, flags = 0;
        in_.ReadU16(a);
        in_.ReadU16(b);
        in_.ReadU16(c);
        in_.ReadU16(flags);
        object.faces.push_back({a, b, c});
    }
    return true;
}

bool Reader3ds::ReadTexVertices(const Chunk& chunk) {
    uint16_t count = 0;
    if (!ReadCount(chunk, TEX_VERTEX_BYTES, count) || texVertices_ + count > MAX_MESH_ELEMENTS) {
        return false;
    }
    texVertices_ += count;
    ObjectMesh& object = CurrentObject();
    object.hasTexVertices = true;
    for (uint16_t i = 0; i < count; ++i) {
        std::array<float, 2> uv{};
        in_.ReadF32(uv[0]);
        in_.ReadF32(uv[1]);
        object.texVertices.push_back(uv);
    }
    return true;
}

// Appends one object behind the ones before it: its face indices are moved past the earlier
// objects' points, and texture vertex i goes with vertex i (missing ones at (0, 0)), so every
// object comes in whole and in place.
bool Reader3ds::AppendObject(const ObjectMesh& object) {
    const int32_t base = static_cast<int32_t>(mesh_.vertices.size());
    const int32_t pointCount = static_cast<int32_t>(object.points.size());
    for (const auto& face : object.faces) {
        RawTriangle triangle;
        for (int k = 0; k < 3; ++k) {
            if (face[k] >= pointCount) {
                return false;
            }
            triangle.corners[k] = base + face[k];
        }
        triangle.texCorners = triangle.corners;
        if (object.group >= 0) {
            mesh_.groups[object.group].triangles.push_back(
                static_cast<int>(mesh_.triangles.size()));
        }
        mesh_.triangles.push_back(triangle);
    }
    mesh_.vertices.insert(mesh_.vertices.end(), object.points.begin(), object.points.end());
    for (std::size_t i = 0; i < object.points.size(); ++i) {
        mesh_.texVertices.push_back(i < object.texVertices.size() ? object.texVertices[i]
                                                                  : std::array<float, 2>{});
    }
    return true;
}

}  // namespace

Status Parse3ds(std::span<const uint8_t> bytes, RawMesh& mesh) {
    mesh = RawMesh{};
    Reader3ds reader(bytes, mesh);
    if (!reader.Read()) {
        mesh = RawMesh{};
        return Status::BadData("Not a 3DS file a mesh can take");
    }
    return Status();
}

}  // namespace editor::io
