#pragma once
// Counted fields of the byte streams the editor sends between its own processes: a count is
// believed only when that many items still fit in what is left.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "bytes/byte_reader.h"

namespace bytes {

// A count is believed only when that many items of at least itemBytes each still fit.
inline bool ReadCount(ByteReader& in, std::size_t itemBytes, std::size_t& count) {
    uint32_t value = 0;
    if (!in.ReadU32(value) || static_cast<std::size_t>(value) > in.Remaining() / itemBytes) {
        return false;
    }
    count = value;
    return true;
}

inline bool ReadText(ByteReader& in, std::string& text) {
    std::size_t size = 0;
    std::span<const uint8_t> chars;
    if (!ReadCount(in, 1, size) || !in.Take(size, chars)) {
        return false;
    }
    text.assign(chars.begin(), chars.end());
    return true;
}

}  // namespace bytes
