#include "editor/io/byte_cursor.h"

#include <bit>
#include <cstring>

namespace editor::io {

bool ByteCursor::Seek(std::size_t position) {
    if (position > bytes_.size()) {
        return false;
    }
    position_ = position;
    return true;
}

bool ByteCursor::Skip(std::size_t count) {
    if (count > Remaining()) {
        return false;
    }
    position_ += count;
    return true;
}

bool ByteCursor::ReadBytes(void* destination, std::size_t count) {
    if (count > Remaining()) {
        return false;
    }
    if (count > 0) {
        std::memcpy(destination, bytes_.data() + position_, count);
    }
    position_ += count;
    return true;
}

bool ByteCursor::Take(std::size_t count, std::span<const uint8_t>& out) {
    if (count > Remaining()) {
        return false;
    }
    out = bytes_.subspan(position_, count);
    position_ += count;
    return true;
}

bool ByteCursor::ReadU8(uint8_t& value) {
    return ReadBytes(&value, 1);
}

bool ByteCursor::ReadU16(uint16_t& value) {
    uint8_t b[2];
    if (!ReadBytes(b, 2)) {
        return false;
    }
    value = static_cast<uint16_t>(b[0] | b[1] << 8);
    return true;
}

bool ByteCursor::ReadI16(int16_t& value) {
    uint16_t word;
    if (!ReadU16(word)) {
        return false;
    }
    value = static_cast<int16_t>(word);
    return true;
}

bool ByteCursor::ReadU32(uint32_t& value) {
    uint8_t b[4];
    if (!ReadBytes(b, 4)) {
        return false;
    }
    value = static_cast<uint32_t>(b[0]) | static_cast<uint32_t>(b[1]) << 8 |
            static_cast<uint32_t>(b[2]) << 16 | static_cast<uint32_t>(b[3]) << 24;
    return true;
}

bool ByteCursor::ReadI32(int32_t& value) {
    uint32_t word;
    if (!ReadU32(word)) {
        return false;
    }
    value = static_cast<int32_t>(word);
    return true;
}

bool ByteCursor::ReadF32(float& value) {
    uint32_t word;
    if (!ReadU32(word)) {
        return false;
    }
    value = std::bit_cast<float>(word);
    return true;
}

}  // namespace editor::io
