#include "editor/model/pose_record.h"

#include <bit>
#include <cstring>

namespace editor::model {

namespace {
constexpr size_t START_POSITIONS_OFFSET = 16;
constexpr size_t ANGLES_OFFSET = START_POSITIONS_OFFSET + NUM_BONES * 24;
static_assert(ANGLES_OFFSET == 904);
static_assert(ANGLES_OFFSET + NUM_BONES * 24 == POSE_RECORD_SIZE);

void WriteTriple(double a, double b, double c, uint8_t* out) {
    WriteLittleDouble(a, out);
    WriteLittleDouble(b, out + 8);
    WriteLittleDouble(c, out + 16);
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

void WriteLittleDouble(double value, uint8_t* out) {
    uint64_t bits = std::bit_cast<uint64_t>(value);
    for (int i = 0; i < 8; ++i) {
        out[i] = static_cast<uint8_t>(bits >> (8 * i));
    }
}

double ReadLittleDouble(const uint8_t* in) {
    uint64_t bits = 0;
    for (int i = 0; i < 8; ++i) {
        bits |= static_cast<uint64_t>(in[i]) << (8 * i);
    }
    return std::bit_cast<double>(bits);
}

void WriteLittleInt32(int32_t value, uint8_t* out) {
    uint32_t bits = static_cast<uint32_t>(value);
    for (int i = 0; i < 4; ++i) {
        out[i] = static_cast<uint8_t>(bits >> (8 * i));
    }
}

int32_t ReadLittleInt32(const uint8_t* in) {
    uint32_t bits = 0;
    for (int i = 0; i < 4; ++i) {
        bits |= static_cast<uint32_t>(in[i]) << (8 * i);
    }
    return static_cast<int32_t>(bits);
}

void WritePoseRecord(const PoseRecord& record, uint8_t* out) {
    std::memcpy(out, record.name, POSE_NAME_SIZE);
    for (int b = 0; b < NUM_BONES; ++b) {
        const PoseVec& p = record.startPositions[b];
        WriteTriple(p.x, p.y, p.z, out + START_POSITIONS_OFFSET + 24 * b);
        const PoseAngles& a = record.angles[b];
        WriteTriple(a.angleX, a.angleY, a.angleZ, out + ANGLES_OFFSET + 24 * b);
    }
}

void ReadPoseRecord(const uint8_t* in, PoseRecord& record) {
    std::memcpy(record.name, in, POSE_NAME_SIZE);
    for (int b = 0; b < NUM_BONES; ++b) {
        const uint8_t* p = in + START_POSITIONS_OFFSET + 24 * b;
        record.startPositions[b] = {ReadLittleDouble(p), ReadLittleDouble(p + 8),
                                    ReadLittleDouble(p + 16)};
        const uint8_t* a = in + ANGLES_OFFSET + 24 * b;
        record.angles[b] = {ReadLittleDouble(a), ReadLittleDouble(a + 8), ReadLittleDouble(a + 16)};
    }
}

}  // namespace editor::model
