#include "editor/mocap/assimp_clip.h"

#include <assimp/anim.h>
#include <assimp/scene.h>

#include <algorithm>
#include <assimp/Importer.hpp>
#include <cctype>
#include <cmath>
#include <filesystem>
#include <functional>
#include <map>

#include "bytes/isolated_call.h"
#include "bytes/status.h"
#include "bytes/whole_file.h"
#include "editor/mocap/bvh_reader.h"
#include "editor/mocap/clip_bytes.h"
#include "editor/mocap/clip_kinematics.h"
#include "editor/model/lower_case.h"

namespace editor::mocap {

using ::editor::model::LowerCase;

namespace {

constexpr double DEFAULT_TICKS_PER_SECOND = 25.0;
// A file that gives no key rate worth the name is sampled at this rate.
constexpr double FALLBACK_RATE = 30.0;
constexpr double DEGREES_PER_RADIAN = 180.0 / 3.14159265358979323846;

std::string TakeName(const aiAnimation& animation, unsigned index) {
    const std::string name = animation.mName.C_Str();
    return name.empty() ? "animation " + std::to_string(index + 1) : name;
}

bool TakeNames(const aiScene* scene, Assimp::Importer& importer, std::vector<std::string>& takes,
               std::string& error) {
    takes.clear();
    if (scene == nullptr) {
        // The caller's sentence ends assimp's reason.
        error = bytes::ReasonClause(importer.GetErrorString(), "assimp cannot read it");
        return false;
    }
    for (unsigned a = 0; a < scene->mNumAnimations; ++a) {
        if (scene->mAnimations[a] != nullptr) {
            takes.push_back(TakeName(*scene->mAnimations[a], a));
        }
    }
    if (takes.empty()) {
        error = "it holds no animation";
        return false;
    }
    return true;
}

const aiAnimation* FindTake(const aiScene& scene, const std::string& take, std::string& error) {
    std::string names;
    for (unsigned a = 0; a < scene.mNumAnimations; ++a) {
        const aiAnimation* animation = scene.mAnimations[a];
        if (animation == nullptr) {
            continue;
        }
        if (take.empty() || LowerCase(TakeName(*animation, a)) == LowerCase(take)) {
            return animation;
        }
        names += (names.empty() ? "" : ", ") + TakeName(*animation, a);
    }
    error = names.empty() ? "it holds no animation"
                          : "it has no animation '" + take + "' (it has " + names + ")";
    return nullptr;
}

template <typename Key>
std::size_t KeyBefore(const Key* keys, unsigned count, double time) {
    std::size_t low = 0;
    std::size_t high = count;
    while (high - low > 1) {
        const std::size_t middle = (low + high) / 2;
        (keys[middle].mTime <= time ? low : high) = middle;
    }
    return low;
}

template <typename Key>
double Blend(const Key* keys, unsigned count, double time, std::size_t& first) {
    first = KeyBefore(keys, count, time);
    if (first + 1 >= count) {
        return 0.0;
    }
    const double span = keys[first + 1].mTime - keys[first].mTime;
    return span > 0.0 ? std::clamp((time - keys[first].mTime) / span, 0.0, 1.0) : 0.0;
}

aiVector3D VectorAt(const aiVectorKey* keys, unsigned count, double time, const aiVector3D& rest) {
    if (count == 0 || keys == nullptr) {
        return rest;
    }
    std::size_t first = 0;
    const double t = Blend(keys, count, time, first);
    if (t == 0.0) {
        return keys[first].mValue;
    }
    const aiVector3D& a = keys[first].mValue;
    const aiVector3D& b = keys[first + 1].mValue;
    return a + (b - a) * static_cast<ai_real>(t);
}

aiQuaternion RotationAt(const aiQuatKey* keys, unsigned count, double time,
                        const aiQuaternion& rest) {
    if (count == 0 || keys == nullptr) {
        return rest;
    }
    std::size_t first = 0;
    const double t = Blend(keys, count, time, first);
    if (t == 0.0) {
        return keys[first].mValue;
    }
    aiQuaternion result;
    aiQuaternion::Interpolate(result, keys[first].mValue, keys[first + 1].mValue,
                              static_cast<ai_real>(t));
    return result.Normalize();
}

struct Joint {
    const aiNode* node = nullptr;
    int parent = -1;
    const aiNodeAnim* channel = nullptr;
    aiVector3D restScale;
    aiQuaternion restRotation;
    aiVector3D restPosition;
    // A leaf without motion is where its parent's limb ends, as a BVH end site.
    bool endSite = false;
};

// The node every animated node hangs below: the lowest common ancestor of them all.
const aiNode* SkeletonRoot(const std::vector<const aiNode*>& animated) {
    if (animated.empty()) {
        return nullptr;
    }
    std::vector<const aiNode*> path;
    for (const aiNode* n = animated.front(); n != nullptr; n = n->mParent) {
        path.insert(path.begin(), n);
    }
    std::size_t common = path.size();
    for (const aiNode* node : animated) {
        std::vector<const aiNode*> other;
        for (const aiNode* n = node; n != nullptr; n = n->mParent) {
            other.insert(other.begin(), n);
        }
        std::size_t shared = 0;
        while (shared < common && shared < other.size() && other[shared] == path[shared]) {
            ++shared;
        }
        common = shared;
    }
    return common == 0 ? nullptr : path[common - 1];
}

Rotation3 ToRotation(const aiQuaternion& q) {
    const aiMatrix3x3 m = q.GetMatrix();
    Rotation3 r;
    const ai_real rows[3][3] = {{m.a1, m.a2, m.a3}, {m.b1, m.b2, m.b3}, {m.c1, m.c2, m.c3}};
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            r.m[i][j] = rows[i][j];
        }
    }
    return r;
}

// The angles of the channels Zrotation, Xrotation, Yrotation (a BVH rotation turns about Z,
// then X, then Y of the already turned axes) for a right-handed rotation matrix.
void ZxyDegrees(const Rotation3& r, double degrees[3]) {
    const double sx = std::clamp(r.m[2][1], -1.0, 1.0);
    const double x = std::asin(sx);
    double z = 0.0;
    double y = 0.0;
    if (std::abs(sx) < 0.999999) {
        z = std::atan2(-r.m[0][1], r.m[1][1]);
        y = std::atan2(-r.m[2][0], r.m[2][2]);
    } else {
        z = std::atan2(r.m[1][0], r.m[0][0]);
    }
    degrees[0] = z * DEGREES_PER_RADIAN;
    degrees[1] = x * DEGREES_PER_RADIAN;
    degrees[2] = y * DEGREES_PER_RADIAN;
}

PoseVec ToPoseVec(const aiVector3D& v) {
    return PoseVec{v.x, v.y, v.z};
}

class ClipBuilder {
  public:
    ClipBuilder(const aiScene& scene, const aiAnimation& animation)
        : scene_(scene), animation_(animation) {}

    bool Build(BvhClip& clip, std::string& error) {
        if (!CollectJoints(error)) {
            return false;
        }
        const double ticksPerSecond = animation_.mTicksPerSecond > 0.0 ? animation_.mTicksPerSecond
                                                                       : DEFAULT_TICKS_PER_SECOND;
        const double duration = std::isfinite(animation_.mDuration) && animation_.mDuration > 0.0
                                    ? animation_.mDuration
                                    : 0.0;
        int frames = std::max(2, MostKeys());
        if (duration / ticksPerSecond * FALLBACK_RATE > frames) {
            frames = static_cast<int>(duration / ticksPerSecond * FALLBACK_RATE) + 1;
        }
        if (duration <= 0.0) {
            frames = 1;
        }
        if (frames > MAX_BVH_FRAMES ||
            static_cast<double>(frames) * static_cast<double>(joints_.size()) * 6.0 >
                static_cast<double>(MAX_BVH_VALUES)) {
            error = "its animation is too long to convert";
            return false;
        }
        clip = BvhClip{};
        clip.frameCount = frames;
        clip.frameTime =
            frames > 1 ? duration / ticksPerSecond / (frames - 1) : 1.0 / FALLBACK_RATE;
        if (!(clip.frameTime > 0.0)) {
            clip.frameTime = 1.0 / FALLBACK_RATE;
        }
        MakeJoints(clip);
        clip.values.reserve(static_cast<std::size_t>(frames) *
                            static_cast<std::size_t>(clip.channelsPerFrame));
        for (int f = 0; f < frames; ++f) {
            AddRow(clip, frames > 1 ? duration * f / (frames - 1) : 0.0);
        }
        return true;
    }

  private:
    bool CollectJoints(std::string& error) {
        std::vector<const aiNode*> animated;
        for (unsigned c = 0; c < animation_.mNumChannels; ++c) {
            const aiNodeAnim* channel = animation_.mChannels[c];
            const aiNode* node = channel != nullptr && scene_.mRootNode != nullptr
                                     ? scene_.mRootNode->FindNode(channel->mNodeName)
                                     : nullptr;
            if (node != nullptr) {
                animated.push_back(node);
                channelOf_[node] = channel;
            }
        }
        const aiNode* root = SkeletonRoot(animated);
        if (root == nullptr) {
            error = "its animation moves no node of the scene";
            return false;
        }
        // Where the skeleton's root stands in the scene, from the nodes above it.
        aiMatrix4x4 above;
        for (const aiNode* n = root->mParent; n != nullptr; n = n->mParent) {
            above = n->mTransformation * above;
        }
        above_ = above;
        std::vector<std::pair<const aiNode*, int>> pending{{root, -1}};
        while (!pending.empty()) {
            auto [node, parent] = pending.back();
            pending.pop_back();
            if (joints_.size() >= static_cast<std::size_t>(MAX_BVH_JOINTS)) {
                error = "its skeleton has more than " + std::to_string(MAX_BVH_JOINTS) + " joints";
                return false;
            }
            Joint joint;
            joint.node = node;
            joint.parent = parent;
            auto found = channelOf_.find(node);
            joint.channel = found != channelOf_.end() ? found->second : nullptr;
            node->mTransformation.Decompose(joint.restScale, joint.restRotation,
                                            joint.restPosition);
            const int index = static_cast<int>(joints_.size());
            joints_.push_back(joint);
            for (unsigned c = node->mNumChildren; c-- > 0;) {
                if (node->mChildren[c] != nullptr) {
                    pending.push_back({node->mChildren[c], index});
                }
            }
        }
        MarkEndSites();
        return true;
    }

    void MarkEndSites() {
        std::vector<int> children(joints_.size(), 0);
        for (const Joint& joint : joints_) {
            if (joint.parent >= 0) {
                ++children[static_cast<std::size_t>(joint.parent)];
            }
        }
        for (std::size_t j = 0; j < joints_.size(); ++j) {
            Joint& joint = joints_[j];
            joint.endSite = joint.parent >= 0 && children[j] == 0 && joint.channel == nullptr &&
                            children[static_cast<std::size_t>(joint.parent)] == 1;
        }
    }

    int MostKeys() const {
        unsigned most = 0;
        for (const Joint& joint : joints_) {
            if (joint.channel != nullptr) {
                most = std::max({most, joint.channel->mNumPositionKeys,
                                 joint.channel->mNumRotationKeys, joint.channel->mNumScalingKeys});
            }
        }
        return static_cast<int>(std::min<unsigned>(most, MAX_BVH_FRAMES + 1u));
    }

    aiMatrix4x4 LocalAt(const Joint& joint, double time) const {
        const aiNodeAnim* c = joint.channel;
        if (c == nullptr) {
            return joint.node->mTransformation;
        }
        const aiVector3D position =
            VectorAt(c->mPositionKeys, c->mNumPositionKeys, time, joint.restPosition);
        const aiQuaternion rotation =
            RotationAt(c->mRotationKeys, c->mNumRotationKeys, time, joint.restRotation);
        const aiVector3D scale =
            VectorAt(c->mScalingKeys, c->mNumScalingKeys, time, joint.restScale);
        return aiMatrix4x4(scale, rotation, position);
    }

    // Every joint's place and turn in the scene at a time; the rest pose for a negative time.
    void Globals(double time, std::vector<aiVector3D>& positions,
                 std::vector<Rotation3>& rotations) const {
        std::vector<aiMatrix4x4> globals(joints_.size());
        positions.resize(joints_.size());
        rotations.resize(joints_.size());
        for (std::size_t j = 0; j < joints_.size(); ++j) {
            const Joint& joint = joints_[j];
            const aiMatrix4x4 local =
                time < 0.0 ? joint.node->mTransformation : LocalAt(joint, time);
            globals[j] =
                (joint.parent < 0 ? above_ : globals[static_cast<std::size_t>(joint.parent)]) *
                local;
            aiVector3D scale;
            aiQuaternion rotation;
            globals[j].Decompose(scale, rotation, positions[j]);
            rotations[j] = ToRotation(rotation.Normalize());
        }
    }

    void MakeJoints(BvhClip& clip) {
        Globals(-1.0, restPositions_, restRotations_);
        int channel = 0;
        clipIndex_.assign(joints_.size(), -1);
        for (std::size_t j = 0; j < joints_.size(); ++j) {
            const int sourceParent = joints_[j].parent;
            const PoseVec offset =
                sourceParent < 0
                    ? ToPoseVec(restPositions_[j])
                    : ToPoseVec(restPositions_[j] -
                                restPositions_[static_cast<std::size_t>(sourceParent)]);
            if (joints_[j].endSite) {
                BvhJoint& owner = clip.joints[static_cast<std::size_t>(
                    clipIndex_[static_cast<std::size_t>(sourceParent)])];
                owner.hasEndSite = true;
                owner.endSite = offset;
                continue;
            }
            BvhJoint joint;
            joint.name = joints_[j].node->mName.C_Str();
            joint.parent =
                sourceParent < 0 ? -1 : clipIndex_[static_cast<std::size_t>(sourceParent)];
            const bool root = joint.parent < 0;
            joint.offset = offset;
            const BvhChannel rotations[3] = {BvhChannel::Zrotation, BvhChannel::Xrotation,
                                             BvhChannel::Yrotation};
            const BvhChannel positions[3] = {BvhChannel::Xposition, BvhChannel::Yposition,
                                             BvhChannel::Zposition};
            joint.firstChannel = channel;
            if (root) {
                for (BvhChannel c : positions) {
                    joint.channels[joint.channelCount++] = c;
                }
            }
            for (BvhChannel c : rotations) {
                joint.channels[joint.channelCount++] = c;
            }
            channel += joint.channelCount;
            clipIndex_[j] = static_cast<int>(clip.joints.size());
            clip.joints.push_back(joint);
        }
        clip.channelsPerFrame = channel;
    }

    // A BVH joint turns from a rest with every joint unturned: its turn in the scene is the
    // file's turn after undoing the rest's, and its channels carry that relative to its parent.
    void AddRow(BvhClip& clip, double time) {
        std::vector<aiVector3D> positions;
        std::vector<Rotation3> rotations;
        Globals(time, positions, rotations);
        std::vector<Rotation3> turns(joints_.size());
        for (std::size_t j = 0; j < joints_.size(); ++j) {
            turns[j] = rotations[j] * Transposed(restRotations_[j]);
            if (joints_[j].endSite) {
                continue;
            }
            const int parent = joints_[j].parent;
            const Rotation3 local =
                parent < 0 ? turns[j]
                           : Transposed(turns[static_cast<std::size_t>(parent)]) * turns[j];
            if (parent < 0) {
                const aiVector3D moved = positions[j] - restPositions_[j];
                clip.values.push_back(moved.x);
                clip.values.push_back(moved.y);
                clip.values.push_back(moved.z);
            }
            double degrees[3];
            ZxyDegrees(local, degrees);
            for (double d : degrees) {
                clip.values.push_back(std::isfinite(d) ? d : 0.0);
            }
        }
    }

    const aiScene& scene_;
    const aiAnimation& animation_;
    std::map<const aiNode*, const aiNodeAnim*> channelOf_;
    std::vector<Joint> joints_;
    std::vector<int> clipIndex_;  // each joint's place in the clip; -1 for an end site
    aiMatrix4x4 above_;
    std::vector<aiVector3D> restPositions_;
    std::vector<Rotation3> restRotations_;
};

// An OFF file holds one still mesh, and assimp sizes its arrays by the header's counts before
// reading them (gigabytes for a damaged header); on damaged LightWave and 3MF files its own
// assertions abort the program. None is handed to assimp.
bool NeverAnimated(const std::string& extension, std::string& error) {
    std::string lower = LowerCase(extension);
    if (!lower.empty() && lower[0] == '.') {
        lower.erase(0, 1);
    }
    if (lower == "off") {
        error = "it holds no animation";
        return true;
    }
    if (lower == "lwo" || lower == "lws" || lower == "lxo" || lower == "3mf") {
        error = "LightWave and 3MF files are not read";
        return true;
    }
    return false;
}

bool ClipOfScene(const aiScene* scene, Assimp::Importer& importer, const std::string& take,
                 BvhClip& clip, std::string& error) {
    std::vector<std::string> takes;
    if (!TakeNames(scene, importer, takes, error)) {
        return false;
    }
    const aiAnimation* animation = FindTake(*scene, take, error);
    if (animation == nullptr) {
        return false;
    }
    ClipBuilder builder(*scene, *animation);
    return builder.Build(clip, error);
}

}  // namespace

bool IsBvhPath(const std::string& path) {
    return LowerCase(std::filesystem::path(path).extension().string()) == ".bvh";
}

namespace {

// Success, or refused with why assimp is not to read the file at path.
Status CheckClipFile(const std::string& path) {
    std::error_code sizeError;
    const auto size = std::filesystem::file_size(path, sizeError);
    if (sizeError || size > bytes::MAX_FILE_BYTES) {
        return Status::Refuse(sizeError ? "the file cannot be opened" : "the file is too large");
    }
    std::string error;
    if (NeverAnimated(std::filesystem::path(path).extension().string(), error)) {
        return Status::Refuse(error);
    }
    return {};
}

// The readers of a path below run assimp in a child process (RunIsolatedRead): Debian's assimp
// corrupts its heap or reads past buffers on some damaged files, and would take the editor with
// it. The ...Here functions are what the child runs.
bool ListTakesHere(const std::string& path, std::vector<std::string>& takes, std::string& error) {
    if (Status readable = CheckClipFile(path); !readable) {
        error = readable.Reason();
        return false;
    }
    Assimp::Importer importer;
    return TakeNames(importer.ReadFile(path, 0), importer, takes, error);
}

bool ReadClipHere(const std::string& path, const std::string& take, BvhClip& clip,
                  std::string& error) {
    if (Status readable = CheckClipFile(path); !readable) {
        error = readable.Reason();
        return false;
    }
    Assimp::Importer importer;
    return ClipOfScene(importer.ReadFile(path, 0), importer, take, clip, error);
}

}  // namespace

Status ReadAssimpClip(std::span<const uint8_t> bytes, const std::string& extension,
                      const std::string& take, BvhClip& clip) {
    if (bytes.empty() || bytes.size() > bytes::MAX_FILE_BYTES) {
        return Status::Refuse("the file is empty or too large");
    }
    std::string error;
    if (NeverAnimated(extension, error)) {
        return Status::Refuse(error);
    }
    Assimp::Importer importer;
    if (!ClipOfScene(importer.ReadFileFromMemory(bytes.data(), bytes.size(), 0, extension.c_str()),
                     importer, take, clip, error)) {
        return Status::Refuse(error);
    }
    return {};
}

Status ListClipTakes(const std::string& path, std::vector<std::string>& takes) {
    const auto read = [&path](std::vector<uint8_t>& result, std::string& reason) {
        std::vector<std::string> here;
        if (!ListTakesHere(path, here, reason)) {
            return false;
        }
        result = NamesToBytes(here);
        return true;
    };
    return bytes::ReadApart("assimp", path, read, [&takes](std::span<const uint8_t> answer) {
        return NamesFromBytes(answer, takes);
    });
}

Status ReadAssimpClip(const std::string& path, const std::string& take, BvhClip& clip) {
    const auto read = [&path, &take](std::vector<uint8_t>& result, std::string& reason) {
        BvhClip here;
        if (!ReadClipHere(path, take, here, reason)) {
            return false;
        }
        result = ClipToBytes(here);
        return true;
    };
    return bytes::ReadApart("assimp", path, read, [&clip](std::span<const uint8_t> answer) {
        return ClipFromBytes(answer, clip);
    });
}

}  // namespace editor::mocap
