#pragma once
// Bounds-checked little-endian reads over a byte span: every read of a file's bytes goes
// through here, so no count or offset taken from a file can read outside it.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace flexmodel {

class ByteReader {
  public:
    explicit ByteReader(std::span<const uint8_t> bytes) : bytes_(bytes) {}

    std::size_t Size() const { return bytes_.size(); }
    std::span<const uint8_t> Bytes() const { return bytes_; }

    // True when [offset, offset + count) lies inside the span; safe against overflow.
    bool Contains(std::size_t offset, std::size_t count) const;

    std::optional<uint8_t> Uint8(std::size_t offset) const;
    std::optional<int16_t> Int16(std::size_t offset) const;
    std::optional<int32_t> Int32(std::size_t offset) const;
    std::optional<uint32_t> Uint32(std::size_t offset) const;
    std::optional<float> Float(std::size_t offset) const;
    // A NUL-terminated name in a fixed-width field; without a NUL the whole field.
    std::optional<std::string_view> FixedName(std::size_t offset, std::size_t width) const;
    // The sub-span [offset, offset + count), or nothing when it does not fit.
    std::optional<std::span<const uint8_t>> Slice(std::size_t offset, std::size_t count) const;

  private:
    std::span<const uint8_t> bytes_;
};

}  // namespace flexmodel
