#include "editor/io/imported_model_bytes.h"

#include "bytes/byte_reader.h"
#include "bytes/byte_writer.h"
#include "bytes/counted_fields.h"

namespace editor::io {

namespace {

using ::bytes::ReadCount;
using ::bytes::ReadText;

void AppendCount(bytes::ByteWriter& out, std::size_t count) {
    out.AppendUint32(static_cast<uint32_t>(count));
}

void AppendText(bytes::ByteWriter& out, const std::string& text) {
    AppendCount(out, text.size());
    out.AppendBytes({reinterpret_cast<const uint8_t*>(text.data()), text.size()});
}

template <std::size_t N>
void AppendFloats(bytes::ByteWriter& out, const std::array<float, N>& values) {
    for (const float v : values) {
        out.AppendFloat(v);
    }
}

template <std::size_t N>
bool ReadFloats(bytes::ByteReader& in, std::array<float, N>& values) {
    for (float& v : values) {
        if (!in.ReadF32(v)) {
            return false;
        }
    }
    return true;
}

template <std::size_t N>
bool ReadFloatArrays(bytes::ByteReader& in, std::vector<std::array<float, N>>& items) {
    std::size_t count = 0;
    if (!ReadCount(in, 4 * N, count)) {
        return false;
    }
    items.resize(count);
    for (auto& item : items) {
        if (!ReadFloats(in, item)) {
            return false;
        }
    }
    return true;
}

bool ReadIndices(bytes::ByteReader& in, std::size_t vertices, std::vector<uint32_t>& indices) {
    std::size_t count = 0;
    if (!ReadCount(in, 4, count) || count % 3 != 0) {
        return false;
    }
    indices.resize(count);
    for (uint32_t& index : indices) {
        if (!in.ReadU32(index) || index >= vertices) {
            return false;
        }
    }
    return true;
}

bool ReadBones(bytes::ByteReader& in, std::vector<SourceBone>& bones) {
    std::size_t count = 0;
    if (!ReadCount(in, 20, count)) {
        return false;
    }
    bones.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
        int32_t parent = 0;
        if (!ReadText(in, bones[i].name) || !in.ReadI32(parent) || parent < -1 ||
            parent >= static_cast<int32_t>(i) || !ReadFloats(in, bones[i].position)) {
            return false;
        }
        bones[i].parent = parent;
    }
    return true;
}

bool ReadInfluences(bytes::ByteReader& in, std::size_t bones,
                    std::vector<std::vector<SkinInfluence>>& influences) {
    std::size_t vertices = 0;
    if (!ReadCount(in, 4, vertices)) {
        return false;
    }
    influences.resize(vertices);
    for (auto& vertex : influences) {
        std::size_t count = 0;
        if (!ReadCount(in, 8, count)) {
            return false;
        }
        vertex.resize(count);
        for (SkinInfluence& influence : vertex) {
            int32_t bone = 0;
            if (!in.ReadI32(bone) || bone < 0 || static_cast<std::size_t>(bone) >= bones ||
                !in.ReadF32(influence.weight)) {
                return false;
            }
            influence.bone = bone;
        }
    }
    return true;
}

}  // namespace

std::vector<uint8_t> ImportedModelToBytes(const ImportedModel& model) {
    bytes::ByteWriter out;
    AppendCount(out, model.positions.size());
    for (const auto& p : model.positions) {
        AppendFloats(out, p);
    }
    AppendCount(out, model.uvs.size());
    for (const auto& uv : model.uvs) {
        AppendFloats(out, uv);
    }
    AppendCount(out, model.indices.size());
    for (const uint32_t index : model.indices) {
        out.AppendUint32(index);
    }
    AppendCount(out, model.rig.bones.size());
    for (const SourceBone& bone : model.rig.bones) {
        AppendText(out, bone.name);
        out.AppendInt32(bone.parent);
        AppendFloats(out, bone.position);
    }
    AppendCount(out, model.rig.influences.size());
    for (const auto& vertex : model.rig.influences) {
        AppendCount(out, vertex.size());
        for (const SkinInfluence& influence : vertex) {
            out.AppendInt32(influence.bone);
            out.AppendFloat(influence.weight);
        }
    }
    AppendText(out, model.skinName);
    AppendCount(out, model.embeddedSkin.size());
    out.AppendBytes(model.embeddedSkin);
    AppendText(out, model.embeddedSkinHint);
    return out.Take();
}

bool ImportedModelFromBytes(std::span<const uint8_t> bytes, ImportedModel& model) {
    bytes::ByteReader in(bytes);
    ImportedModel read;
    std::size_t skinBytes = 0;
    std::span<const uint8_t> skin;
    if (!ReadFloatArrays(in, read.positions) || !ReadFloatArrays(in, read.uvs) ||
        (!read.uvs.empty() && read.uvs.size() != read.positions.size()) ||
        !ReadIndices(in, read.positions.size(), read.indices) || !ReadBones(in, read.rig.bones) ||
        !ReadInfluences(in, read.rig.bones.size(), read.rig.influences) ||
        (!read.rig.influences.empty() && read.rig.influences.size() != read.positions.size()) ||
        !ReadText(in, read.skinName) || !ReadCount(in, 1, skinBytes) || !in.Take(skinBytes, skin) ||
        !ReadText(in, read.embeddedSkinHint) || !in.AtEnd()) {
        return false;
    }
    read.embeddedSkin.assign(skin.begin(), skin.end());
    model = std::move(read);
    return true;
}

}  // namespace editor::io
