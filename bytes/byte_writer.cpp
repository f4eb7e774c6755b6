#include "bytes/byte_writer.h"

#include <algorithm>
#include <array>
#include <bit>

namespace bytes {

namespace {

template <typename Word>
std::array<uint8_t, sizeof(Word)> LittleEndian(Word value) {
    std::array<uint8_t, sizeof(Word)> bytes{};
    for (std::size_t i = 0; i < sizeof(Word); ++i) {
        bytes[i] = static_cast<uint8_t>(value >> (8 * i));
    }
    return bytes;
}

}  // namespace

void ByteWriter::AppendUint8(uint8_t value) {
    bytes_.push_back(value);
}

void ByteWriter::AppendInt16(int16_t value) {
    AppendUint16(static_cast<uint16_t>(value));
}

void ByteWriter::AppendUint16(uint16_t value) {
    AppendBytes(LittleEndian(value));
}

void ByteWriter::AppendUint32(uint32_t value) {
    AppendBytes(LittleEndian(value));
}

void ByteWriter::AppendInt32(int32_t value) {
    AppendUint32(static_cast<uint32_t>(value));
}

void ByteWriter::AppendFloat(float value) {
    AppendUint32(std::bit_cast<uint32_t>(value));
}

void ByteWriter::AppendDouble(double value) {
    AppendBytes(LittleEndian(std::bit_cast<uint64_t>(value)));
}

void ByteWriter::AppendBytes(std::span<const uint8_t> bytes) {
    bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
}

void ByteWriter::AppendFixedName(std::string_view name, std::size_t width) {
    if (width == 0) {
        return;
    }
    name = name.substr(0, std::min(name.size(), width - 1));
    bytes_.insert(bytes_.end(), name.begin(), name.end());
    bytes_.insert(bytes_.end(), width - name.size(), 0);
}

bool ByteWriter::PatchBytes(std::size_t offset, std::span<const uint8_t> bytes) {
    if (offset > bytes_.size() || bytes.size() > bytes_.size() - offset) {
        return false;
    }
    std::copy(bytes.begin(), bytes.end(), bytes_.begin() + static_cast<std::ptrdiff_t>(offset));
    return true;
}

bool ByteWriter::PatchInt32(std::size_t offset, int32_t value) {
    return PatchBytes(offset, LittleEndian(static_cast<uint32_t>(value)));
}

bool ByteWriter::PatchDouble(std::size_t offset, double value) {
    return PatchBytes(offset, LittleEndian(std::bit_cast<uint64_t>(value)));
}

}  // namespace bytes
