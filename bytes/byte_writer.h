#pragma once
// The mirror of the byte reader: little-endian values appended to an in-memory buffer, the one
// way the programs assemble the bytes of a file. Values can be patched later, as the FlexModel
// writer does for sizes and counts only known at the end.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <utility>
#include <vector>

namespace bytes {

class ByteWriter {
  public:
    ByteWriter() = default;
    // Continues (or patches) bytes assembled elsewhere.
    explicit ByteWriter(std::vector<uint8_t> bytes) : bytes_(std::move(bytes)) {}

    std::size_t Size() const { return bytes_.size(); }
    const std::vector<uint8_t>& Bytes() const { return bytes_; }
    std::vector<uint8_t> Take() { return std::move(bytes_); }

    void AppendUint8(uint8_t value);
    void AppendInt16(int16_t value);
    void AppendUint16(uint16_t value);
    void AppendInt32(int32_t value);
    void AppendUint32(uint32_t value);
    void AppendFloat(float value);
    void AppendDouble(double value);
    void AppendBytes(std::span<const uint8_t> bytes);
    // A name in a zero-filled field of `width` bytes; a longer name is cut to keep the NUL.
    void AppendFixedName(std::string_view name, std::size_t width);

    // Overwrites bytes already written; returns false (changing nothing) when out of range.
    bool PatchInt32(std::size_t offset, int32_t value);
    bool PatchDouble(std::size_t offset, double value);
    bool PatchBytes(std::size_t offset, std::span<const uint8_t> bytes);

  private:
    std::vector<uint8_t> bytes_;
};

}  // namespace bytes
