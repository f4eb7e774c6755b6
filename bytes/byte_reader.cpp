#include "bytes/byte_reader.h"

#include <bit>
#include <cstring>

namespace bytes {

bool ByteReader::Contains(std::size_t offset, std::size_t count) const {
    return offset <= bytes_.size() && count <= bytes_.size() - offset;
}

std::optional<std::span<const uint8_t>> ByteReader::Slice(std::size_t offset,
                                                          std::size_t count) const {
    if (!Contains(offset, count)) {
        return std::nullopt;
    }
    return bytes_.subspan(offset, count);
}

std::optional<ByteReader> ByteReader::Range(std::size_t offset, std::size_t count) const {
    auto slice = Slice(offset, count);
    if (!slice) {
        return std::nullopt;
    }
    return ByteReader(*slice);
}

std::optional<uint8_t> ByteReader::Uint8(std::size_t offset) const {
    if (!Contains(offset, 1)) {
        return std::nullopt;
    }
    return bytes_[offset];
}

std::optional<uint16_t> ByteReader::Uint16(std::size_t offset) const {
    if (!Contains(offset, 2)) {
        return std::nullopt;
    }
    const uint8_t* p = bytes_.data() + offset;
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}

std::optional<int16_t> ByteReader::Int16(std::size_t offset) const {
    auto word = Uint16(offset);
    if (!word) {
        return std::nullopt;
    }
    return static_cast<int16_t>(*word);
}

std::optional<uint32_t> ByteReader::Uint32(std::size_t offset) const {
    if (!Contains(offset, 4)) {
        return std::nullopt;
    }
    const uint8_t* p = bytes_.data() + offset;
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
           static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

std::optional<int32_t> ByteReader::Int32(std::size_t offset) const {
    auto word = Uint32(offset);
    if (!word) {
        return std::nullopt;
    }
    return static_cast<int32_t>(*word);
}

std::optional<float> ByteReader::Float(std::size_t offset) const {
    auto word = Uint32(offset);
    if (!word) {
        return std::nullopt;
    }
    return std::bit_cast<float>(*word);
}

std::optional<double> ByteReader::Double(std::size_t offset) const {
    if (!Contains(offset, 8)) {
        return std::nullopt;
    }
    return std::bit_cast<double>(static_cast<uint64_t>(*Uint32(offset + 4)) << 32 |
                                 *Uint32(offset));
}

std::optional<std::string_view> ByteReader::FixedName(std::size_t offset, std::size_t width) const {
    if (!Contains(offset, width)) {
        return std::nullopt;
    }
    const char* field = reinterpret_cast<const char*>(bytes_.data() + offset);
    const void* nul = std::memchr(field, '\0', width);
    std::size_t length = nul ? static_cast<const char*>(nul) - field : width;
    return std::string_view(field, length);
}

bool ByteReader::Seek(std::size_t position) {
    if (position > bytes_.size()) {
        return false;
    }
    position_ = position;
    return true;
}

bool ByteReader::Skip(std::size_t count) {
    std::span<const uint8_t> skipped;
    return Take(count, skipped);
}

template <typename T>
bool ByteReader::ReadAtPosition(std::optional<T> value, std::size_t size, T& out) {
    if (!value) {
        return false;
    }
    out = *value;
    position_ += size;
    return true;
}

bool ByteReader::ReadU8(uint8_t& value) {
    return ReadAtPosition(Uint8(position_), 1, value);
}

bool ByteReader::ReadU16(uint16_t& value) {
    return ReadAtPosition(Uint16(position_), 2, value);
}

bool ByteReader::ReadI16(int16_t& value) {
    return ReadAtPosition(Int16(position_), 2, value);
}

bool ByteReader::ReadU32(uint32_t& value) {
    return ReadAtPosition(Uint32(position_), 4, value);
}

bool ByteReader::ReadI32(int32_t& value) {
    return ReadAtPosition(Int32(position_), 4, value);
}

bool ByteReader::ReadF32(float& value) {
    return ReadAtPosition(Float(position_), 4, value);
}

bool ByteReader::Take(std::size_t count, std::span<const uint8_t>& out) {
    if (count > Remaining()) {
        return false;
    }
    out = bytes_.subspan(position_, count);
    position_ += count;
    return true;
}

bool ByteReader::ReadBytes(void* destination, std::size_t count) {
    std::span<const uint8_t> taken;
    if (!Take(count, taken)) {
        return false;
    }
    if (count > 0) {
        std::memcpy(destination, taken.data(), count);
    }
    return true;
}

}  // namespace bytes
