#include "flexmodel/byte_builder.h"

#include <algorithm>
#include <array>
#include <bit>

namespace flexmodel {

namespace {

std::array<uint8_t, 4> LittleEndian(uint32_t value) {
    return {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8),
            static_cast<uint8_t>(value >> 16), static_cast<uint8_t>(value >> 24)};
}

}  // namespace

void ByteBuilder::AppendUint8(uint8_t value) {
    bytes_.push_back(value);
}

void ByteBuilder::AppendInt16(int16_t value) {
    auto word = static_cast<uint16_t>(value);
    bytes_.push_back(static_cast<uint8_t>(word));
    bytes_.push_back(static_cast<uint8_t>(word >> 8));
}

void ByteBuilder::AppendUint32(uint32_t value) {
    AppendBytes(LittleEndian(value));
}

void ByteBuilder::AppendInt32(int32_t value) {
    AppendUint32(static_cast<uint32_t>(value));
}

void ByteBuilder::AppendFloat(float value) {
    AppendUint32(std::bit_cast<uint32_t>(value));
}

void ByteBuilder::AppendBytes(std::span<const uint8_t> bytes) {
    bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
}

void ByteBuilder::AppendFixedName(std::string_view name, std::size_t width) {
    if (width == 0) {
        return;
    }
    name = name.substr(0, std::min(name.size(), width - 1));
    bytes_.insert(bytes_.end(), name.begin(), name.end());
    bytes_.insert(bytes_.end(), width - name.size(), 0);
}

bool ByteBuilder::PatchBytes(std::size_t offset, std::span<const uint8_t> bytes) {
    if (offset > bytes_.size() || bytes.size() > bytes_.size() - offset) {
        return false;
    }
    std::copy(bytes.begin(), bytes.end(), bytes_.begin() + static_cast<std::ptrdiff_t>(offset));
    return true;
}

bool ByteBuilder::PatchInt32(std::size_t offset, int32_t value) {
    return PatchBytes(offset, LittleEndian(static_cast<uint32_t>(value)));
}

}  // namespace flexmodel
