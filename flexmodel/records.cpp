#include "flexmodel/records.h"

#include <cstring>

namespace flexmodel {

std::string_view FixedNameView(const char* field, std::size_t width) {
    const void* nul = std::memchr(field, '\0', width);
    std::size_t length = nul ? static_cast<const char*>(nul) - field : width;
    return std::string_view(field, length);
}

std::string_view ChunkHeader::Ident() const {
    return FixedNameView(ident.data(), ident.size());
}

std::string_view FrameHeader::Name() const {
    return FixedNameView(name.data(), name.size());
}

bool MaskBit(const std::array<uint8_t, MASK_BYTES>& mask, int index) {
    if (index < 0 || index >= FLEX_MASK_BITS) {
        return false;
    }
    return (mask[index / 8] >> (index % 8)) & 1;
}

void SetMaskBit(std::array<uint8_t, MASK_BYTES>& mask, int index) {
    if (index < 0 || index >= FLEX_MASK_BITS) {
        return;
    }
    mask[index / 8] |= static_cast<uint8_t>(1u << (index % 8));
}

}  // namespace flexmodel
