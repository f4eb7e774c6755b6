#include "editor/io/x_reader.h"

#include <assimp/postprocess.h>
#include <assimp/scene.h>

#include <assimp/Importer.hpp>
#include <filesystem>
#include <memory>

#include "bytes/whole_file.h"
#include "editor/io/image_file.h"
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

void LoadTextures(const aiScene& scene, const aiMesh& mesh, C3dShape& shape,
                  const std::string& path) {
    if (mesh.mMaterialIndex >= scene.mNumMaterials) {
        return;
    }
    const aiMaterial& material = *scene.mMaterials[mesh.mMaterialIndex];
    for (unsigned i = 0; i < material.GetTextureCount(aiTextureType_DIFFUSE); ++i) {
        aiString name;
        if (material.GetTexture(aiTextureType_DIFFUSE, i, &name) != AI_SUCCESS) {
            continue;
        }
        std::unique_ptr<C3dTexture> texture = LoadTexture(name.C_Str(), path);
        if (texture) {
            shape.SetTexture(texture.get());
            shape.AdoptImage(texture.release());
        }
    }
}

}  // namespace

int ReadXFile(C3dShape& shape, MeshData& target, const std::string& path) {
    std::error_code error;
    const auto size = std::filesystem::file_size(path, error);
    if (error || size > MAX_FILE_BYTES) {
        return -1;
    }
    Assimp::Importer importer;
    const aiScene* scene = importer.ReadFile(path, X_LOAD_FLAGS);
    RawMesh raw;
    if (scene == nullptr || scene->mNumMeshes == 0 || !FirstMeshToRaw(*scene->mMeshes[0], raw) ||
        !Trace(StoreRawMesh(raw, target))) {
        target.Clear();
        return -1;
    }
    // Without texture coordinates from the file the mesh gets the default ones, so that its
    // texture faces never name texture vertices it does not have.
    FinishImport(target);
    if (!shape.CreateFromFaces(target.vertices, target.vertexCount, nullptr, 0, target.faces,
                               FACE_LIST_WORDS, true)) {
        target.Clear();
        return -1;
    }
    LoadTextures(*scene, *scene->mMeshes[0], shape, path);
    return 0;
}

}  // namespace editor::io
