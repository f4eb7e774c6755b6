#include "editor/skeleton/pose_file.h"

#include <cctype>

#include "bytes/byte_reader.h"
#include "bytes/byte_writer.h"

namespace editor::skeleton {

using namespace ::bytes;

bool ParsePoseFile(const std::vector<uint8_t>& bytes, std::vector<PoseRecord>& records) {
    if (bytes.size() < POSE_FILE_HEADER_SIZE) {
        return false;
    }
    const ByteReader in(bytes);
    int32_t count = *in.Int32(0);
    int32_t version = *in.Int32(4);
    if (version != POSE_FILE_VERSION || count < 1) {
        return false;
    }
    uint64_t available = (bytes.size() - POSE_FILE_HEADER_SIZE) / POSE_RECORD_SIZE;
    if (static_cast<uint64_t>(count) > available) {
        return false;
    }
    records.assign(static_cast<size_t>(count), PoseRecord{});
    for (size_t i = 0; i < records.size(); ++i) {
        ReadPoseRecord(*in.Slice(POSE_FILE_HEADER_SIZE + i * POSE_RECORD_SIZE, POSE_RECORD_SIZE),
                       records[i]);
    }
    return true;
}

std::vector<uint8_t> SerializePoseFile(const std::vector<PoseRecord>& records) {
    ByteWriter out;
    out.AppendInt32(static_cast<int32_t>(records.size()));
    out.AppendInt32(POSE_FILE_VERSION);
    for (const PoseRecord& record : records) {
        AppendPoseRecord(out, record);
    }
    return out.Take();
}

void SplitFrameName(const std::string& name, std::string& base, long long& number) {
    if (name.empty()) {
        base.clear();
        number = 0;
        return;
    }
    size_t stop = name.size() - 1;
    while (stop > 0 && std::isdigit(static_cast<unsigned char>(name[stop]))) {
        --stop;
    }
    base = name.substr(0, stop + 1);
    number = 0;
    for (size_t i = stop + 1; i < name.size(); ++i) {
        number = number * 10 + (name[i] - '0');
    }
}

int FindFrame(const std::vector<PoseRecord>& records, const std::string& name) {
    for (size_t i = 0; i < records.size(); ++i) {
        if (PoseName(records[i]) == name) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

size_t FrameInsertionIndex(const std::vector<PoseRecord>& records, const std::string& name) {
    std::string newBase;
    long long newNumber = 0;
    SplitFrameName(name, newBase, newNumber);
    bool seen = false;
    for (size_t i = 0; i < records.size(); ++i) {
        std::string base;
        long long number = 0;
        SplitFrameName(PoseName(records[i]), base, number);
        if (base == newBase) {
            seen = true;
            if (number > newNumber) {
                return i;
            }
        } else if (seen) {
            return i;
        }
    }
    return records.size();
}

}  // namespace editor::skeleton
