#pragma once
// Bounds-checked little-endian reads over a byte span: every read of a file's bytes goes
// through here, so no count or offset taken from a file can read outside it. Reads at an
// offset leave the reader as it is; Read... calls read at the position and move it on. A
// chunk of a chunked file is read through its own Range, so it cannot reach its neighbours.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace bytes {

class ByteReader {
  public:
    explicit ByteReader(std::span<const uint8_t> bytes) : bytes_(bytes) {}

    std::size_t Size() const { return bytes_.size(); }
    std::span<const uint8_t> Bytes() const { return bytes_; }

    // True when [offset, offset + count) lies inside the span; safe against overflow.
    bool Contains(std::size_t offset, std::size_t count) const;
    // The sub-span [offset, offset + count), or nothing when it does not fit.
    std::optional<std::span<const uint8_t>> Slice(std::size_t offset, std::size_t count) const;
    // A reader of its own over [offset, offset + count), positioned at its start.
    std::optional<ByteReader> Range(std::size_t offset, std::size_t count) const;

    std::optional<uint8_t> Uint8(std::size_t offset) const;
    std::optional<uint16_t> Uint16(std::size_t offset) const;
    std::optional<int16_t> Int16(std::size_t offset) const;
    std::optional<uint32_t> Uint32(std::size_t offset) const;
    std::optional<int32_t> Int32(std::size_t offset) const;
    std::optional<float> Float(std::size_t offset) const;
    std::optional<double> Double(std::size_t offset) const;
    // A NUL-terminated name in a fixed-width field; without a NUL the whole field.
    std::optional<std::string_view> FixedName(std::size_t offset, std::size_t width) const;

    std::size_t Position() const { return position_; }
    std::size_t Remaining() const { return bytes_.size() - position_; }
    bool AtEnd() const { return position_ >= bytes_.size(); }
    // Moves to an absolute position; false (position unchanged) beyond the end.
    bool Seek(std::size_t position);
    bool Skip(std::size_t count);

    // Each reads at the position and moves past what it read; false, with the value and the
    // position unchanged, when fewer bytes remain.
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
    template <typename T>
    bool ReadAtPosition(std::optional<T> value, std::size_t size, T& out);

    std::span<const uint8_t> bytes_;
    std::size_t position_ = 0;
};

}  // namespace bytes
