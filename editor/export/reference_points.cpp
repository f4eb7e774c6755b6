#include "editor/export/reference_points.h"

#include <span>

#include "bytes/whole_file.h"

namespace editor::flexexport {

namespace {

constexpr int LEFT_FOOT = 3;
constexpr int RIGHT_FOOT = 7;

struct PointOffsets {
    int bone;
    Vector direction;
    Vector up;
};

// Direction and up offsets of the bones that have them; every other bone's are zero.
const PointOffsets OFFSETS[] = {
    {LEFT_FOOT, {0, -20, 0}, {0, 0, 20}}, {RIGHT_FOOT, {0, -20, 0}, {0, 0, 20}},
    {8, {20, 0, 0}, {0, 0, 20}},          {9, {20, 0, 0}, {0, 0, 20}},
    {26, {20, 0, 0}, {0, 0, 20}},         {14, {20, 0, 0}, {0, 0, 20}},
    {20, {20, 0, 0}, {0, 0, -20}},        {21, {0, 0, 20}, {0, -20, 0}},
    {22, {0, 0, 20}, {0, 20, 0}},         {24, {0, 0, 20}, {0, 20, 0}},
};

}  // namespace

void RestReferencePoints(const BoneLengths& lengths, ReferencePoints& points) {
    for (int bone = 0; bone < NUM_BONES; ++bone) {
        const double along =
            bone == LEFT_FOOT || bone == RIGHT_FOOT ? lengths[bone] * 0.5 : lengths[bone];
        for (Vector& point : points[bone]) {
            point = Vector(along, 0.0, 0.0);
        }
    }
    for (const PointOffsets& offsets : OFFSETS) {
        points[offsets.bone][1].AddInPlace(offsets.direction);
        points[offsets.bone][2].AddInPlace(offsets.up);
    }
}

void AppendRefSkelRecord(ByteWriter& out, const ReferencePoints& points) {
    out.AppendInt32(0);
    for (const auto& bone : points) {
        for (const Vector& point : bone) {
            out.AppendFloat(point.x);
            out.AppendFloat(point.y);
            out.AppendFloat(point.z);
        }
    }
}

Status RefSkelFrames::Read(const std::string& path, int frameCount) {
    std::vector<uint8_t> bytes;
    if (Status read = ReadWholeFile(path, bytes); !read) {
        bytes_.clear();
        return read;
    }
    return Take(std::move(bytes), frameCount);
}

Status RefSkelFrames::Take(std::vector<uint8_t> bytes, int frameCount) {
    bytes_ = std::move(bytes);
    if (frameCount < 0 ||
        bytes_.size() / REFSKEL_RECORD_SIZE < static_cast<std::size_t>(frameCount)) {
        bytes_.clear();
        return Status::BadData("fewer reference records than frames");
    }
    return {};
}

void RefSkelFrames::AppendBonePoints(ByteWriter& out, int frame, int bone) const {
    const std::size_t offset = frame * REFSKEL_RECORD_SIZE + 4 + bone * REFERENCE_POINT_BYTES;
    out.AppendBytes(std::span<const uint8_t>(bytes_).subspan(offset, REFERENCE_POINT_BYTES));
}

}  // namespace editor::flexexport
