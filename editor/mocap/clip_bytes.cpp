#include "editor/mocap/clip_bytes.h"

#include <cstring>

#include "bytes/byte_reader.h"
#include "bytes/byte_writer.h"
#include "bytes/counted_fields.h"

namespace editor::mocap {

namespace {

using ::bytes::ReadCount;
using ::bytes::ReadText;

void AppendText(bytes::ByteWriter& out, const std::string& text) {
    out.AppendUint32(static_cast<uint32_t>(text.size()));
    out.AppendBytes({reinterpret_cast<const uint8_t*>(text.data()), text.size()});
}

void AppendVec(bytes::ByteWriter& out, const PoseVec& v) {
    out.AppendDouble(v.x);
    out.AppendDouble(v.y);
    out.AppendDouble(v.z);
}

bool ReadDouble(bytes::ByteReader& in, double& value) {
    const std::optional<double> read = in.Double(in.Position());
    if (!read || !in.Skip(8)) {
        return false;
    }
    value = *read;
    return true;
}

bool ReadVec(bytes::ByteReader& in, PoseVec& v) {
    return ReadDouble(in, v.x) && ReadDouble(in, v.y) && ReadDouble(in, v.z);
}

bool ReadJoint(bytes::ByteReader& in, int index, BvhJoint& joint) {
    int32_t parent = 0;
    int32_t count = 0;
    int32_t first = 0;
    uint8_t endSite = 0;
    if (!ReadText(in, joint.name) || !in.ReadI32(parent) || parent < -1 || parent >= index ||
        !ReadVec(in, joint.offset) || !in.ReadI32(count) || count < 0 ||
        count > MAX_BVH_CHANNELS_PER_JOINT || !in.ReadI32(first) || first < 0) {
        return false;
    }
    for (int c = 0; c < count; ++c) {
        uint8_t channel = 0;
        if (!in.ReadU8(channel) || channel > static_cast<uint8_t>(BvhChannel::Zrotation)) {
            return false;
        }
        joint.channels[c] = static_cast<BvhChannel>(channel);
    }
    if (!in.ReadU8(endSite) || endSite > 1 || !ReadVec(in, joint.endSite)) {
        return false;
    }
    joint.parent = parent;
    joint.channelCount = count;
    joint.firstChannel = first;
    joint.hasEndSite = endSite == 1;
    return true;
}

}  // namespace

std::vector<uint8_t> ClipToBytes(const BvhClip& clip) {
    bytes::ByteWriter out;
    out.AppendUint32(static_cast<uint32_t>(clip.joints.size()));
    for (const BvhJoint& joint : clip.joints) {
        AppendText(out, joint.name);
        out.AppendInt32(joint.parent);
        AppendVec(out, joint.offset);
        out.AppendInt32(joint.channelCount);
        out.AppendInt32(joint.firstChannel);
        for (int c = 0; c < joint.channelCount; ++c) {
            out.AppendUint8(static_cast<uint8_t>(joint.channels[c]));
        }
        out.AppendUint8(joint.hasEndSite ? 1 : 0);
        AppendVec(out, joint.endSite);
    }
    out.AppendInt32(clip.channelsPerFrame);
    out.AppendInt32(clip.frameCount);
    out.AppendDouble(clip.frameTime);
    out.AppendUint32(static_cast<uint32_t>(clip.values.size()));
    for (const double value : clip.values) {
        out.AppendDouble(value);
    }
    return out.Take();
}

bool ClipFromBytes(std::span<const uint8_t> bytes, BvhClip& clip) {
    bytes::ByteReader in(bytes);
    BvhClip read;
    std::size_t joints = 0;
    if (!ReadCount(in, 4, joints)) {
        return false;
    }
    read.joints.resize(joints);
    for (std::size_t j = 0; j < joints; ++j) {
        if (!ReadJoint(in, static_cast<int>(j), read.joints[j])) {
            return false;
        }
    }
    int32_t channels = 0;
    int32_t frames = 0;
    std::size_t values = 0;
    if (!in.ReadI32(channels) || channels < 0 || !in.ReadI32(frames) || frames < 0 ||
        !ReadDouble(in, read.frameTime) || !ReadCount(in, 8, values) ||
        values != static_cast<std::size_t>(channels) * static_cast<std::size_t>(frames)) {
        return false;
    }
    for (const BvhJoint& joint : read.joints) {
        if (joint.firstChannel + joint.channelCount > channels) {
            return false;
        }
    }
    read.channelsPerFrame = channels;
    read.frameCount = frames;
    read.values.resize(values);
    for (double& value : read.values) {
        if (!ReadDouble(in, value)) {
            return false;
        }
    }
    if (!in.AtEnd()) {
        return false;
    }
    clip = std::move(read);
    return true;
}

std::vector<uint8_t> NamesToBytes(const std::vector<std::string>& names) {
    bytes::ByteWriter out;
    out.AppendUint32(static_cast<uint32_t>(names.size()));
    for (const std::string& name : names) {
        AppendText(out, name);
    }
    return out.Take();
}

bool NamesFromBytes(std::span<const uint8_t> bytes, std::vector<std::string>& names) {
    bytes::ByteReader in(bytes);
    std::size_t count = 0;
    if (!ReadCount(in, 4, count)) {
        return false;
    }
    std::vector<std::string> read(count);
    for (std::string& name : read) {
        if (!ReadText(in, name)) {
            return false;
        }
    }
    if (!in.AtEnd()) {
        return false;
    }
    names = std::move(read);
    return true;
}

}  // namespace editor::mocap
