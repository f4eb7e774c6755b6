#include "editor/io/x_reader.h"

#include <assimp/postprocess.h>
#include <assimp/scene.h>

#include <assimp/Importer.hpp>
#include <filesystem>
#include <memory>

#include "bytes/byte_reader.h"
#include "bytes/byte_writer.h"
#include "bytes/counted_fields.h"
#include "bytes/isolated_call.h"
#include "bytes/whole_file.h"
#include "editor/io/image_file.h"
#include "editor/io/imported_model.h"
#include "editor/io/imported_model_bytes.h"
#include "editor/io/store_raw_mesh.h"
#include "editor/model/finish_import.h"
#include "editor/model/mesh_data.h"
#include "scene/shape.h"
#include "scene/texture.h"

namespace editor::io {

using namespace ::bytes;
using namespace ::editor::model;
using namespace ::scene;

namespace {

// The file's own coordinates and winding: the platform these files were made for is
// left-handed, as the editor's scene is.
constexpr unsigned X_LOAD_FLAGS =
    aiProcess_Triangulate | aiProcess_JoinIdenticalVertices | aiProcess_ConvertToLeftHanded;

const char* const NOT_READABLE = "not a DirectX file the editor can read";

bool FirstMeshToRaw(const aiMesh& mesh, RawMesh& raw) {
    if (mesh.mNumVertices > static_cast<unsigned>(MAX_MESH_ELEMENTS)) {
        return false;
    }
    for (unsigned i = 0; i < mesh.mNumVertices; ++i) {
        const aiVector3D& p = mesh.mVertices[i];
        raw.vertices.push_back({p.x, p.y, p.z});
    }
    for (unsigned i = 0; i < mesh.mNumFaces; ++i) {
        const aiFace& face = mesh.mFaces[i];
        if (face.mNumIndices != 3) {
            continue;
        }
        if (raw.triangles.size() >= static_cast<std::size_t>(MAX_MESH_ELEMENTS)) {
            return false;
        }
        RawTriangle triangle;
        for (int k = 0; k < 3; ++k) {
            triangle.corners[k] = static_cast<int32_t>(face.mIndices[k]);
        }
        raw.triangles.push_back(triangle);
    }
    raw.oriented = true;
    return RawMeshFits(raw);
}

std::vector<std::string> DiffuseNames(const aiScene& scene, const aiMesh& mesh) {
    std::vector<std::string> names;
    if (mesh.mMaterialIndex >= scene.mNumMaterials) {
        return names;
    }
    const aiMaterial& material = *scene.mMaterials[mesh.mMaterialIndex];
    for (unsigned i = 0; i < material.GetTextureCount(aiTextureType_DIFFUSE); ++i) {
        aiString name;
        if (material.GetTexture(aiTextureType_DIFFUSE, i, &name) == AI_SUCCESS) {
            names.emplace_back(name.C_Str());
        }
    }
    return names;
}

Status FromScene(const aiScene* scene, XMesh& x) {
    x = XMesh{};
    if (scene == nullptr || scene->mNumMeshes == 0 || !FirstMeshToRaw(*scene->mMeshes[0], x.mesh)) {
        x = XMesh{};
        return Status::Refuse(NOT_READABLE);
    }
    x.textureNames = DiffuseNames(*scene, *scene->mMeshes[0]);
    return {};
}

Status ReadXMeshHere(const std::string& path, XMesh& x) {
    std::error_code error;
    const auto size = std::filesystem::file_size(path, error);
    if (error || size > MAX_FILE_BYTES) {
        return Status::Refuse(NOT_READABLE);
    }
    Assimp::Importer importer;
    return FromScene(importer.ReadFile(path, X_LOAD_FLAGS), x);
}

// The child's answer: the mesh as an imported model's bytes (positions and triangles only),
// then the texture names.
std::vector<uint8_t> XMeshToBytes(const XMesh& x) {
    ImportedModel model;
    model.positions = x.mesh.vertices;
    for (const RawTriangle& triangle : x.mesh.triangles) {
        for (const int32_t corner : triangle.corners) {
            model.indices.push_back(static_cast<uint32_t>(corner));
        }
    }
    const std::vector<uint8_t> meshBytes = ImportedModelToBytes(model);
    ByteWriter out;
    out.AppendUint32(static_cast<uint32_t>(meshBytes.size()));
    out.AppendBytes(meshBytes);
    out.AppendUint32(static_cast<uint32_t>(x.textureNames.size()));
    for (const std::string& name : x.textureNames) {
        out.AppendUint32(static_cast<uint32_t>(name.size()));
        out.AppendBytes({reinterpret_cast<const uint8_t*>(name.data()), name.size()});
    }
    return out.Take();
}

// False unless the bytes hold a whole answer whose mesh fits the capacities.
bool XMeshFromBytes(std::span<const uint8_t> bytes, XMesh& x) {
    ByteReader in(bytes);
    std::size_t meshSize = 0;
    std::span<const uint8_t> meshBytes;
    ImportedModel model;
    std::size_t names = 0;
    if (!ReadCount(in, 1, meshSize) || !in.Take(meshSize, meshBytes) ||
        !ImportedModelFromBytes(meshBytes, model) || !ReadCount(in, 4, names)) {
        return false;
    }
    XMesh read;
    read.textureNames.resize(names);
    for (std::string& name : read.textureNames) {
        if (!ReadText(in, name)) {
            return false;
        }
    }
    read.mesh.vertices = std::move(model.positions);
    for (std::size_t i = 0; i + 2 < model.indices.size(); i += 3) {
        RawTriangle triangle;
        for (std::size_t k = 0; k < 3; ++k) {
            triangle.corners[k] = static_cast<int32_t>(model.indices[i + k]);
        }
        read.mesh.triangles.push_back(triangle);
    }
    read.mesh.oriented = true;
    if (!in.AtEnd() || !RawMeshFits(read.mesh)) {
        return false;
    }
    x = std::move(read);
    return true;
}

// A texture name is tried as given and then beside the model file.
std::unique_ptr<C3dTexture> LoadTexture(const std::string& name, const std::string& modelPath) {
    auto texture = std::make_unique<C3dTexture>();
    if (LoadImageFile(*texture, name, nullptr)) {
        return texture;
    }
    const std::filesystem::path beside = std::filesystem::path(modelPath).parent_path() / name;
    if (LoadImageFile(*texture, beside.string(), nullptr)) {
        return texture;
    }
    return nullptr;
}

void LoadTextures(const std::vector<std::string>& names, C3dShape& shape, const std::string& path) {
    for (const std::string& name : names) {
        std::unique_ptr<C3dTexture> texture = LoadTexture(name, path);
        if (texture) {
            shape.SetTexture(texture.get());
            shape.AdoptImage(texture.release());
        }
    }
}

// assimp runs in a child: Debian's assimp corrupts its heap or reads past buffers on some
// damaged files, and would take the editor with it.
Status ReadXMeshApart(const std::string& path, XMesh& x) {
    const auto read = [&path](std::vector<uint8_t>& result, std::string& reason) {
        XMesh here;
        if (Status read = ReadXMeshHere(path, here); !read) {
            reason = read.Reason();
            return false;
        }
        result = XMeshToBytes(here);
        return true;
    };
    return ReadApart("assimp", path, read,
                     [&x](std::span<const uint8_t> answer) { return XMeshFromBytes(answer, x); });
}

}  // namespace

Status ReadXMesh(std::span<const uint8_t> bytes, XMesh& x) {
    if (bytes.empty() || bytes.size() > MAX_FILE_BYTES) {
        x = XMesh{};
        return Status::Refuse(NOT_READABLE);
    }
    Assimp::Importer importer;
    return FromScene(importer.ReadFileFromMemory(bytes.data(), bytes.size(), X_LOAD_FLAGS, "x"), x);
}

Status ReadXFile(C3dShape& shape, MeshData& target, const std::string& path) {
    XMesh x;
    if (Status read = ReadXMeshApart(path, x); !read) {
        target.Clear();
        return read;
    }
    if (!Trace(StoreRawMesh(x.mesh, target))) {
        target.Clear();
        return Status::Refuse(NOT_READABLE);
    }
    // Without texture coordinates from the file the mesh gets the default ones, so that its
    // texture faces never name texture vertices it does not have.
    FinishImport(target);
    if (!shape.CreateFromFaces(target.vertices, target.vertexCount, nullptr, 0, target.faces,
                               FACE_LIST_WORDS, true)) {
        target.Clear();
        return Status::Refuse(NOT_READABLE);
    }
    LoadTextures(x.textureNames, shape, path);
    return {};
}

}  // namespace editor::io
