#include "editor/model/pose_record.h"

#include <array>
#include <cstring>

#include "bytes/byte_reader.h"

namespace editor::model {

using namespace ::bytes;

namespace {
constexpr size_t START_POSITIONS_OFFSET = 16;
constexpr size_t ANGLES_OFFSET = START_POSITIONS_OFFSET + NUM_BONES * 24;
static_assert(ANGLES_OFFSET == 904);
static_assert(ANGLES_OFFSET + NUM_BONES * 24 == POSE_RECORD_SIZE);

void AppendTriple(ByteWriter& out, double a, double b, double c) {
    out.AppendDouble(a);
    out.AppendDouble(b);
    out.AppendDouble(c);
}
}  // namespace

std::string PoseName(const PoseRecord& record) {
    size_t length = 0;
    while (length < POSE_NAME_SIZE && record.name[length] != '\0') {
        ++length;
    }
    return std::string(record.name, length);
}

std::string CutPoseName(const std::string& name) {
    return name.substr(0, MAX_POSE_NAME_LENGTH);
}

void SetPoseName(PoseRecord& record, const std::string& name) {
    std::memset(record.name, 0, sizeof record.name);
    std::string cut = CutPoseName(name);
    std::memcpy(record.name, cut.data(), cut.size());
}

void AppendPoseRecord(ByteWriter& out, const PoseRecord& record) {
    out.AppendBytes(std::span(reinterpret_cast<const uint8_t*>(record.name), POSE_NAME_SIZE));
    for (const PoseVec& p : record.startPositions) {
        AppendTriple(out, p.x, p.y, p.z);
    }
    for (const PoseAngles& a : record.angles) {
        AppendTriple(out, a.angleX, a.angleY, a.angleZ);
    }
}

bool ReadPoseRecord(std::span<const uint8_t> bytes, PoseRecord& record) {
    auto fields = ByteReader(bytes).Range(0, POSE_RECORD_SIZE);
    if (!fields) {
        return false;
    }
    // Every offset below lies inside the record's bytes.
    auto triple = [&](std::size_t offset) {
        return std::array<double, 3>{*fields->Double(offset), *fields->Double(offset + 8),
                                     *fields->Double(offset + 16)};
    };
    std::memcpy(record.name, bytes.data(), POSE_NAME_SIZE);
    for (int b = 0; b < NUM_BONES; ++b) {
        auto [x, y, z] = triple(START_POSITIONS_OFFSET + 24 * b);
        record.startPositions[b] = {x, y, z};
        auto [ax, ay, az] = triple(ANGLES_OFFSET + 24 * b);
        record.angles[b] = {ax, ay, az};
    }
    return true;
}

}  // namespace editor::model
