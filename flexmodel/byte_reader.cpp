#include "flexmodel/byte_reader.h"

#include <bit>
#include <cstring>

namespace flexmodel {

bool ByteReader::Contains(std::size_t offset, std::size_t count) const {
    return offset <= bytes_.size() && count <= bytes_.size() - offset;
}

std::optional<uint8_t> ByteReader::Uint8(std::size_t offset) const {
    if (!Contains(offset, 1)) {
        return std::nullopt;
    }
    return bytes_[offset];
}

std::optional<uint32_t> ByteReader::Uint32(std::size_t offset) const {
    if (!Contains(offset, 4)) {
        return std::nullopt;
    }
    const uint8_t* p = bytes_.data() + offset;
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
           static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

std::optional<int16_t> ByteReader::Int16(std::size_t offset) const {
    if (!Contains(offset, 2)) {
        return std::nullopt;
    }
    const uint8_t* p = bytes_.data() + offset;
    return static_cast<int16_t>(static_cast<uint16_t>(p[0] | p[1] << 8));
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

std::optional<std::string_view> ByteReader::FixedName(std::size_t offset, std::size_t width) const {
    if (!Contains(offset, width)) {
        return std::nullopt;
    }
    const char* field = reinterpret_cast<const char*>(bytes_.data() + offset);
    const void* nul = std::memchr(field, '\0', width);
    std::size_t length = nul ? static_cast<const char*>(nul) - field : width;
    return std::string_view(field, length);
}

std::optional<std::span<const uint8_t>> ByteReader::Slice(std::size_t offset,
                                                          std::size_t count) const {
    if (!Contains(offset, count)) {
        return std::nullopt;
    }
    return bytes_.subspan(offset, count);
}

}  // namespace flexmodel
