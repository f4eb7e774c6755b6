#include "editor/shell/saved_state.h"

#include <algorithm>
#include <filesystem>

#include "editor/model/model_document.h"
#include "scene/shape.h"

namespace editor::shell {

using namespace ::editor::model;
using namespace ::scene;

namespace {

// FNV-1a over the bytes of plain values.
class Digest {
  public:
    void Add(const void* data, std::size_t size) {
        const auto* bytes = static_cast<const unsigned char*>(data);
        for (std::size_t i = 0; i < size; ++i) {
            value_ = (value_ ^ bytes[i]) * 0x100000001b3ull;
        }
    }
    template <typename T>
    void AddValue(const T& value) {
        Add(&value, sizeof value);
    }
    std::uint64_t Value() const { return value_; }

  private:
    std::uint64_t value_ = 0xcbf29ce484222325ull;
};

int InUse(int32_t count) {
    return std::clamp<int32_t>(count, 0, MAX_MESH_ELEMENTS);
}

}  // namespace

std::uint64_t ModelFingerprint(const ModelDocument& document) {
    const MeshPart& model = document.model;
    const MeshData& mesh = model.mesh;
    Digest digest;
    const int vertices = InUse(mesh.vertexCount);
    const int texVertices = InUse(mesh.texVertexCount);
    const int faceWords = InUse(mesh.faceCount) * FACE_RECORD_WORDS + 1;
    digest.AddValue(vertices);
    digest.AddValue(texVertices);
    digest.AddValue(faceWords);
    digest.Add(mesh.vertices, sizeof(Vector) * vertices);
    digest.Add(mesh.texVertices, sizeof(TexVertex) * texVertices);
    digest.Add(mesh.faces, sizeof(int32_t) * faceWords);
    digest.Add(mesh.texFaces, sizeof(int32_t) * faceWords);
    const C3dShape* shape = model.Shape();
    digest.AddValue(shape != nullptr);
    if (shape != nullptr) {
        // Moving the model in the scene changes what is saved too.
        digest.Add(shape->GetTransform().m, sizeof shape->GetTransform().m);
    }
    return digest.Value();
}

void SavedState::MarkSaved(const ModelDocument& document, std::string path) {
    path_ = std::move(path);
    fingerprint_ = ModelFingerprint(document);
}

bool SavedState::HasChanges(const ModelDocument& document) const {
    return ModelFingerprint(document) != fingerprint_;
}

std::string SavedState::FileName() const {
    return std::filesystem::path(path_).filename().string();
}

}  // namespace editor::shell
