#include "editor/io/assimp_model_reader.h"

#include <assimp/config.h>
#include <assimp/postprocess.h>
#include <assimp/scene.h>

#include <algorithm>
#include <assimp/Importer.hpp>
#include <cctype>
#include <cmath>
#include <filesystem>
#include <map>
#include <sstream>
#include <utility>

#include "bytes/byte_reader.h"
#include "bytes/byte_writer.h"
#include "bytes/isolated_call.h"
#include "bytes/status.h"
#include "bytes/whole_file.h"
#include "editor/io/imported_model_bytes.h"
#include "editor/model/lower_case.h"

namespace editor::io {

using ::editor::model::LowerCase;

namespace {

// No aiProcess_Triangulate: on a damaged file (a PLY cut short) its own assertion aborts the
// whole program. Polygons are cut into fans here instead.
constexpr unsigned LOAD_FLAGS = aiProcess_JoinIdenticalVertices | aiProcess_SortByPType |
                                aiProcess_ValidateDataStructure | aiProcess_LimitBoneWeights;

void Configure(Assimp::Importer& importer) {
    // Points and lines are no surface; the sort step drops them.
    importer.SetPropertyInteger(AI_CONFIG_PP_SBP_REMOVE,
                                aiPrimitiveType_POINT | aiPrimitiveType_LINE);
}

// assimp's axes are right-handed with +Y up and a character's front towards +Z; the editor's
// have +Z up, the front towards -X and the character's left towards +Y.
std::array<float, 3> ToEditorAxes(const aiVector3D& p) {
    return {-p.z, p.x, p.y};
}

bool Finite(const aiVector3D& p) {
    return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z);
}

struct NodeTransform {
    const aiNode* node;
    aiMatrix4x4 global;
};

// Every node with its transform from the root, parents before children (no recursion: a file
// may nest nodes deeper than the stack allows).
std::vector<NodeTransform> FlattenNodes(const aiNode* root) {
    std::vector<NodeTransform> order;
    if (root == nullptr) {
        return order;
    }
    std::vector<NodeTransform> pending{{root, root->mTransformation}};
    while (!pending.empty()) {
        NodeTransform current = pending.back();
        pending.pop_back();
        order.push_back(current);
        for (unsigned i = current.node->mNumChildren; i-- > 0;) {
            const aiNode* child = current.node->mChildren[i];
            if (child != nullptr) {
                pending.push_back({child, current.global * child->mTransformation});
            }
        }
    }
    return order;
}

class SceneGatherer {
  public:
    SceneGatherer(const aiScene& scene, ImportedModel& model) : scene_(scene), model_(model) {}

    bool Gather(std::string& error) {
        const std::vector<NodeTransform> nodes = FlattenNodes(scene_.mRootNode);
        if (!CountTriangles(nodes, error)) {
            return false;
        }
        hasUvs_ = AnyMeshHasUvs();
        for (const NodeTransform& node : nodes) {
            for (unsigned i = 0; i < node.node->mNumMeshes; ++i) {
                const unsigned index = node.node->mMeshes[i];
                if (index < scene_.mNumMeshes && scene_.mMeshes[index] != nullptr) {
                    AddMesh(*scene_.mMeshes[index], node.global);
                }
            }
        }
        if (model_.indices.empty()) {
            error = "the file holds no triangles";
            return false;
        }
        BuildSkeleton(nodes);
        if (!HasAnyWeight()) {
            model_.rig = SourceRig{};
        }
        return true;
    }

  private:
    bool CountTriangles(const std::vector<NodeTransform>& nodes, std::string& error) const {
        std::size_t triangles = 0;
        for (const NodeTransform& node : nodes) {
            for (unsigned i = 0; i < node.node->mNumMeshes; ++i) {
                const unsigned index = node.node->mMeshes[i];
                if (index < scene_.mNumMeshes && scene_.mMeshes[index] != nullptr) {
                    triangles += scene_.mMeshes[index]->mNumFaces;
                }
            }
            if (triangles > MAX_SOURCE_TRIANGLES) {
                error = "it has more than " + std::to_string(MAX_SOURCE_TRIANGLES) + " triangles";
                return false;
            }
        }
        return true;
    }

    bool AnyMeshHasUvs() const {
        for (unsigned i = 0; i < scene_.mNumMeshes; ++i) {
            if (scene_.mMeshes[i] != nullptr && scene_.mMeshes[i]->HasTextureCoords(0)) {
                return true;
            }
        }
        return false;
    }

    void AddMesh(const aiMesh& mesh, const aiMatrix4x4& global) {
        const std::size_t base = model_.positions.size();
        for (unsigned v = 0; v < mesh.mNumVertices; ++v) {
            aiVector3D p = global * mesh.mVertices[v];
            if (!Finite(p)) {
                p = aiVector3D(0.0f, 0.0f, 0.0f);
            }
            model_.positions.push_back(ToEditorAxes(p));
            if (hasUvs_) {
                const bool has = mesh.HasTextureCoords(0);
                const aiVector3D uv = has ? mesh.mTextureCoords[0][v] : aiVector3D();
                const bool ok = std::isfinite(uv.x) && std::isfinite(uv.y);
                model_.uvs.push_back({ok ? uv.x : 0.0f, ok ? uv.y : 0.0f});
            }
        }
        for (unsigned f = 0; f < mesh.mNumFaces; ++f) {
            AddFace(mesh.mFaces[f], mesh.mNumVertices, base);
        }
        if (model_.skinName.empty()) {
            TakeSkin(mesh);
        }
        AddWeights(mesh, global, base);
    }

    // A polygon as a fan of triangles from its first corner; faces naming missing vertices
    // are left out.
    void AddFace(const aiFace& face, unsigned vertexCount, std::size_t base) {
        if (face.mNumIndices < 3 || face.mIndices == nullptr ||
            model_.indices.size() / 3 >= MAX_SOURCE_TRIANGLES) {
            return;
        }
        for (unsigned k = 0; k < face.mNumIndices; ++k) {
            if (face.mIndices[k] >= vertexCount) {
                return;
            }
        }
        for (unsigned k = 1; k + 1 < face.mNumIndices; ++k) {
            // The change of axes mirrors, so the winding turns to keep the outside out.
            model_.indices.push_back(static_cast<uint32_t>(base + face.mIndices[0]));
            model_.indices.push_back(static_cast<uint32_t>(base + face.mIndices[k + 1]));
            model_.indices.push_back(static_cast<uint32_t>(base + face.mIndices[k]));
        }
    }

    void TakeSkin(const aiMesh& mesh) {
        if (mesh.mMaterialIndex >= scene_.mNumMaterials) {
            return;
        }
        const aiMaterial* material = scene_.mMaterials[mesh.mMaterialIndex];
        aiString name;
        if (material == nullptr || material->GetTextureCount(aiTextureType_DIFFUSE) == 0 ||
            material->GetTexture(aiTextureType_DIFFUSE, 0, &name) != AI_SUCCESS ||
            name.length == 0) {
            return;
        }
        model_.skinName = name.C_Str();
        const aiTexture* embedded = scene_.GetEmbeddedTexture(name.C_Str());
        // Only compressed pictures (mHeight 0: mWidth bytes of a PNG, JPEG, ...) are taken.
        if (embedded != nullptr && embedded->mHeight == 0 && embedded->pcData != nullptr &&
            embedded->mWidth > 0 && embedded->mWidth <= bytes::MAX_FILE_BYTES) {
            const auto* data = reinterpret_cast<const uint8_t*>(embedded->pcData);
            model_.embeddedSkin.assign(data, data + embedded->mWidth);
            model_.embeddedSkinHint = LowerCase(
                std::string(embedded->achFormatHint,
                            strnlen(embedded->achFormatHint, sizeof(embedded->achFormatHint))));
        }
    }

    void AddWeights(const aiMesh& mesh, const aiMatrix4x4& global, std::size_t base) {
        if (!mesh.HasBones()) {
            return;
        }
        for (unsigned b = 0; b < mesh.mNumBones; ++b) {
            const aiBone* bone = mesh.mBones[b];
            if (bone == nullptr) {
                continue;
            }
            const int index = BoneIndex(bone->mName.C_Str(), global, bone->mOffsetMatrix);
            if (index < 0) {
                continue;
            }
            for (unsigned w = 0; w < bone->mNumWeights; ++w) {
                const aiVertexWeight& weight = bone->mWeights[w];
                if (weight.mVertexId >= mesh.mNumVertices || !(weight.mWeight > 0.0f)) {
                    continue;
                }
                Influences(base + weight.mVertexId).push_back({index, weight.mWeight});
            }
        }
    }

    std::vector<SkinInfluence>& Influences(std::size_t vertex) {
        if (model_.rig.influences.size() < model_.positions.size()) {
            model_.rig.influences.resize(model_.positions.size());
        }
        return model_.rig.influences[vertex];
    }

    // The bone's place when the mesh was bound: the mesh's transform after the inverse of the
    // bone's offset. -1 when the skeleton is full.
    int BoneIndex(const std::string& name, const aiMatrix4x4& meshGlobal,
                  const aiMatrix4x4& offset) {
        if (auto found = boneByName_.find(name); found != boneByName_.end()) {
            return found->second;
        }
        if (bindPose_.size() >= MAX_SOURCE_BONES) {
            return -1;
        }
        aiMatrix4x4 inverse = offset;
        inverse.Inverse();
        const int index = static_cast<int>(bindPose_.size());
        bindPose_.push_back(meshGlobal * inverse);
        boneNames_.push_back(name);
        boneByName_.emplace(name, index);
        return index;
    }

    bool HasAnyWeight() const {
        return std::any_of(model_.rig.influences.begin(), model_.rig.influences.end(),
                           [](const auto& list) { return !list.empty(); });
    }

    // The skin's bones in their hierarchy, parents first, with the nodes below them (the end
    // joints, such as the top of the head, carry no weight but show where a limb ends).
    void BuildSkeleton(const std::vector<NodeTransform>& nodes) {
        if (boneNames_.empty()) {
            return;
        }
        std::map<const aiNode*, std::pair<int, aiMatrix4x4>> placed;  // node -> bone, bind pose
        std::vector<int> newIndexOfBone(boneNames_.size(), -1);
        std::vector<SourceBone> bones;
        std::map<const aiNode*, aiMatrix4x4> sceneGlobal;
        for (const NodeTransform& node : nodes) {
            sceneGlobal[node.node] = node.global;
        }
        for (const NodeTransform& node : nodes) {
            const auto parentIt = placed.find(node.node->mParent);
            const auto boneIt = boneByName_.find(node.node->mName.C_Str());
            const bool isBone = boneIt != boneByName_.end() && newIndexOfBone[boneIt->second] < 0;
            if ((!isBone && parentIt == placed.end()) || bones.size() >= MAX_SOURCE_BONES) {
                continue;
            }
            aiMatrix4x4 bind;
            if (isBone) {
                bind = bindPose_[static_cast<std::size_t>(boneIt->second)];
            } else {
                // Below a placed bone: where the scene puts it relative to that bone.
                aiMatrix4x4 parentScene = sceneGlobal[node.node->mParent];
                parentScene.Inverse();
                bind = parentIt->second.second * parentScene * node.global;
            }
            SourceBone bone;
            bone.name = node.node->mName.C_Str();
            bone.parent = parentIt != placed.end() ? parentIt->second.first : -1;
            aiVector3D origin(bind.a4, bind.b4, bind.c4);
            bone.position = ToEditorAxes(Finite(origin) ? origin : aiVector3D());
            const int index = static_cast<int>(bones.size());
            bones.push_back(std::move(bone));
            placed[node.node] = {index, bind};
            if (isBone) {
                newIndexOfBone[boneIt->second] = index;
            }
        }
        // Bones the hierarchy does not name still carry weight: they stand alone.
        for (std::size_t b = 0; b < boneNames_.size(); ++b) {
            if (newIndexOfBone[b] < 0) {
                const aiMatrix4x4& bind = bindPose_[b];
                newIndexOfBone[b] = static_cast<int>(bones.size());
                aiVector3D origin(bind.a4, bind.b4, bind.c4);
                bones.push_back(
                    {boneNames_[b], -1, ToEditorAxes(Finite(origin) ? origin : aiVector3D())});
            }
        }
        for (auto& list : model_.rig.influences) {
            for (SkinInfluence& influence : list) {
                influence.bone = newIndexOfBone[static_cast<std::size_t>(influence.bone)];
            }
        }
        model_.rig.influences.resize(model_.positions.size());
        model_.rig.bones = std::move(bones);
    }

    const aiScene& scene_;
    ImportedModel& model_;
    bool hasUvs_ = false;
    std::vector<aiMatrix4x4> bindPose_;
    std::vector<std::string> boneNames_;
    std::map<std::string, int> boneByName_;
};

// assimp sizes an OFF file's arrays by the counts in its header before reading them: a header
// announcing billions of vertices makes it fill gigabytes. Every vertex takes at least two
// bytes of text ("0\n"), so counts the file cannot hold are refused first.
bool OffCountsFit(std::span<const uint8_t> bytes, std::string& error) {
    std::string head(reinterpret_cast<const char*>(bytes.data()),
                     std::min<std::size_t>(bytes.size(), 512));
    std::istringstream words(head);
    std::string word;
    words >> word;
    if (word.find("OFF") == std::string::npos) {
        return true;
    }
    double vertices = 0.0;
    double faces = 0.0;
    if (!(words >> vertices >> faces)) {
        return true;
    }
    if (vertices * 2.0 + faces * 2.0 > static_cast<double>(bytes.size())) {
        error = "it announces " + std::to_string(static_cast<long long>(vertices)) +
                " vertices and " + std::to_string(static_cast<long long>(faces)) +
                " faces, more than its " + std::to_string(bytes.size()) + " bytes hold";
        return false;
    }
    return true;
}

bool IsOff(const std::string& pathOrExtension) {
    const std::string lower = LowerCase(pathOrExtension);
    return lower == "off" || (lower.size() > 4 && lower.substr(lower.size() - 4) == ".off");
}

// LightWave and 3MF files: the installed assimp's own assertions abort the whole program on
// damaged ones (found by fuzzing), so the editor does not hand them to it.
bool IsStopped(const std::string& extension) {
    const std::string lower = LowerCase(extension);
    return lower == ".lwo" || lower == ".lws" || lower == ".lxo" || lower == ".3mf";
}

bool FromScene(const aiScene* scene, Assimp::Importer& importer, ImportedModel& model,
               std::string& error) {
    model = ImportedModel{};
    if (scene == nullptr) {
        // The caller's sentence ends assimp's reason.
        error = bytes::ReasonClause(importer.GetErrorString(), "assimp cannot read it");
        return false;
    }
    SceneGatherer gatherer(*scene, model);
    if (!gatherer.Gather(error)) {
        model = ImportedModel{};
        return false;
    }
    return true;
}

}  // namespace

bool AssimpReadsExtension(const std::string& path) {
    const std::string extension = std::filesystem::path(path).extension().string();
    if (extension.size() < 2 || IsStopped(extension)) {
        return false;
    }
    Assimp::Importer importer;
    return importer.IsExtensionSupported(LowerCase(extension).c_str());
}

std::string AssimpPatterns(const std::vector<std::string>& except) {
    Assimp::Importer importer;
    std::string list;
    importer.GetExtensionList(list);  // "*.3ds;*.obj;..."
    std::string patterns;
    std::stringstream stream(list);
    std::string pattern;
    while (std::getline(stream, pattern, ';')) {
        const std::string extension = LowerCase(pattern.substr(pattern.find('.') + 1));
        if (pattern.size() < 3 || IsStopped("." + extension) ||
            std::find(except.begin(), except.end(), "." + extension) != except.end()) {
            continue;
        }
        patterns += (patterns.empty() ? "*." : ";*.") + extension;
    }
    return patterns;
}

// The readers of a path below run assimp in a child process (RunIsolatedRead): Debian's assimp
// corrupts its heap or reads past buffers on some damaged files, and would take the editor with
// it. The ...Here functions are what the child runs.
static std::vector<std::string> SkinNamesHere(const std::string& path) {
    std::vector<std::string> names;
    std::error_code sizeError;
    const auto size = std::filesystem::file_size(path, sizeError);
    if (sizeError || size > bytes::MAX_FILE_BYTES) {
        return names;
    }
    Assimp::Importer importer;
    const aiScene* scene = importer.ReadFile(path, 0);
    for (unsigned m = 0; scene != nullptr && m < scene->mNumMaterials; ++m) {
        const aiMaterial* material = scene->mMaterials[m];
        aiString name;
        if (material != nullptr && material->GetTextureCount(aiTextureType_DIFFUSE) > 0 &&
            material->GetTexture(aiTextureType_DIFFUSE, 0, &name) == AI_SUCCESS &&
            name.length > 0 && name.C_Str()[0] != '*' &&
            std::find(names.begin(), names.end(), name.C_Str()) == names.end()) {
            names.emplace_back(name.C_Str());
        }
    }
    return names;
}

static bytes::Status ReadModelHere(const std::string& path, ImportedModel& model) {
    std::error_code sizeError;
    const auto size = std::filesystem::file_size(path, sizeError);
    if (sizeError) {
        return bytes::Status::Refuse("the file cannot be opened");
    }
    if (size > bytes::MAX_FILE_BYTES) {
        return bytes::Status::Refuse("the file is larger than " +
                                     std::to_string(bytes::MAX_FILE_BYTES >> 20) + " MB");
    }
    std::string error;
    if (IsOff(path)) {
        std::vector<uint8_t> bytes;
        if (!bytes::ReadWholeFile(path, bytes) || !OffCountsFit(bytes, error)) {
            return bytes::Status::Refuse(error.empty() ? "the file cannot be read" : error);
        }
    }
    Assimp::Importer importer;
    Configure(importer);
    if (!FromScene(importer.ReadFile(path, LOAD_FLAGS), importer, model, error)) {
        return bytes::Status::Refuse(error);
    }
    return {};
}

bytes::Status ReadAssimpModel(std::span<const uint8_t> bytes, const std::string& extension,
                              ImportedModel& model) {
    if (bytes.empty() || bytes.size() > bytes::MAX_FILE_BYTES) {
        return bytes::Status::Refuse("the file is empty or too large");
    }
    std::string error;
    if (IsOff(extension) && !OffCountsFit(bytes, error)) {
        return bytes::Status::Refuse(error);
    }
    Assimp::Importer importer;
    Configure(importer);
    if (!FromScene(
            importer.ReadFileFromMemory(bytes.data(), bytes.size(), LOAD_FLAGS, extension.c_str()),
            importer, model, error)) {
        return bytes::Status::Refuse(error);
    }
    return {};
}

std::vector<std::string> AssimpSkinNames(const std::string& path) {
    std::vector<uint8_t> answer;
    std::string reason;
    const auto read = [&path](std::vector<uint8_t>& result, std::string&) {
        bytes::ByteWriter out;
        const std::vector<std::string> names = SkinNamesHere(path);
        out.AppendUint32(static_cast<uint32_t>(names.size()));
        for (const std::string& name : names) {
            out.AppendUint32(static_cast<uint32_t>(name.size()));
            out.AppendBytes({reinterpret_cast<const uint8_t*>(name.data()), name.size()});
        }
        result = out.Take();
        return true;
    };
    std::vector<std::string> names;
    if (bytes::RunIsolatedRead(read, answer, reason) != bytes::IsolatedRead::Succeeded) {
        return names;
    }
    bytes::ByteReader in(answer);
    uint32_t count = 0;
    if (!in.ReadU32(count) || count > in.Remaining() / 4) {
        return names;
    }
    for (uint32_t i = 0; i < count; ++i) {
        uint32_t size = 0;
        std::span<const uint8_t> chars;
        if (!in.ReadU32(size) || !in.Take(size, chars)) {
            return {};
        }
        names.emplace_back(chars.begin(), chars.end());
    }
    return names;
}

bytes::Status ReadAssimpModel(const std::string& path, ImportedModel& model) {
    const auto read = [&path](std::vector<uint8_t>& result, std::string& reason) {
        ImportedModel here;
        if (bytes::Status read = ReadModelHere(path, here); !read) {
            reason = read.Reason();
            return false;
        }
        result = ImportedModelToBytes(here);
        return true;
    };
    return bytes::ReadApart("assimp", path, read, [&model](std::span<const uint8_t> answer) {
        return ImportedModelFromBytes(answer, model);
    });
}

}  // namespace editor::io
