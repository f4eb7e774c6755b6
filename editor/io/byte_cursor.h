#pragma once
// A sequential little-endian reader over a byte span. Every read is checked against the end of
// the span and fails instead of reading past it, so no count or offset from a file can make a
// reader leave its buffer.

#include <cstddef>
#include <cstdint>
#include <span>

namespace editor::io {

class ByteCursor {
  public:
    explicit ByteCursor(std::span<const uint8_t> bytes) : bytes_(bytes) {}

    std::size_t Size() const { return bytes_.size(); }
    std::size_t Position() const { return position_; }
    std::size_t Remaining() const { return bytes_.size() - position_; }
    bool AtEnd() const { return position_ >= bytes_.size(); }
    std::span<const uint8_t> Bytes() const { return bytes_; }

    // Moves to an absolute position; false (position unchanged) beyond the end.
    bool Seek(std::size_t position);
    bool Skip(std::size_t count);

    bool ReadU8(uint8_t& value);
    bool ReadU16(uint16_t& value);
    bool ReadI16(int16_t& value);
    bool ReadU32(uint32_t& value);
    bool ReadI32(int32_t& value);
    bool ReadF32(float& value);
    // Copies count bytes; nothing is copied when fewer remain.
    bool ReadBytes(void* destination, std::size_t count);
    // The next count bytes as a span, consumed; false when fewer remain.
    bool Take(std::size_t count, std::span<const uint8_t>& out);

  private:
    std::span<const uint8_t> bytes_;
    std::size_t position_ = 0;
};

}  // namespace editor::io
