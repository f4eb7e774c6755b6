#include "editor/model/bit_set.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <new>

namespace editor::model {

namespace {

int BytesFor(int bits) {
    return (bits + 7) / 8;
}

}  // namespace

BitSet::BitSet(int bits) {
    Resize(bits);
}

BitSet::BitSet(uint8_t* inlineBytes, int bits)
    : bytes(inlineBytes), byteCount(BytesFor(bits)), bitCount(bits), inlineStorage(true) {}

BitSet::~BitSet() {
    ReleaseStorage();
}

void BitSet::ReleaseStorage() {
    if (ownsStorage) {
        delete[] bytes;
    }
    if (!inlineStorage) {
        bytes = nullptr;
        byteCount = 0;
        bitCount = 0;
    }
    ownsStorage = 0;
}

void BitSet::MaskTail() {
    int spare = byteCount * 8 - bitCount;
    if (spare > 0) {
        bytes[byteCount - 1] &= static_cast<uint8_t>(0xFFu >> spare);
    }
}

void BitSet::CopyBytesFrom(const BitSet& other) {
    if (&other != this && bytes != nullptr && other.bytes != nullptr &&
        byteCount == other.byteCount) {
        std::memcpy(bytes, other.bytes, byteCount);
    }
}

void BitSet::WriteBit(int i, bool value) {
    uint8_t mask = static_cast<uint8_t>(1u << (i & 7));
    if (value) {
        bytes[i >> 3] |= mask;
    } else {
        bytes[i >> 3] &= static_cast<uint8_t>(~mask);
    }
}

void BitSet::WriteRange(int start, int count, bool value) {
    int64_t first = start;
    int64_t last = static_cast<int64_t>(start) + count;  // one past the range
    if (count < 0) {
        std::swap(first, last);
    }
    first = std::max<int64_t>(first, 0);
    last = std::min<int64_t>(last, bitCount);
    for (int64_t i = first; i < last; ++i) {
        WriteBit(static_cast<int>(i), value);
    }
}

void BitSet::SetRange(int start, int count) {
    WriteRange(start, count, true);
}

void BitSet::ClearRange(int start, int count) {
    WriteRange(start, count, false);
}

bool BitSet::Test(int i) const {
    if (i < 0 || i >= bitCount) {
        return true;
    }
    return Bit(i);
}

int BitSet::Count() const {
    int total = 0;
    for (int b = 0; b < byteCount; ++b) {
        total += std::popcount(static_cast<unsigned>(bytes[b]));
    }
    return total;
}

bool BitSet::Any() const {
    for (int b = 0; b < byteCount; ++b) {
        if (bytes[b] != 0) {
            return true;
        }
    }
    return false;
}

bool BitSet::CopyFrom(const BitSet& other) {
    if (bytes == nullptr || other.bytes == nullptr || bitCount != other.bitCount) {
        return false;
    }
    if (&other != this) {
        std::memcpy(bytes, other.bytes, byteCount);
    }
    return true;
}

bool BitSet::Equals(const BitSet& other) const {
    if (bitCount != other.bitCount) {
        return false;
    }
    return byteCount == 0 || std::memcmp(bytes, other.bytes, byteCount) == 0;
}

bool BitSet::IsSubsetOf(const BitSet& other) const {
    if (bitCount != other.bitCount) {
        return false;
    }
    for (int b = 0; b < byteCount; ++b) {
        if ((bytes[b] & ~other.bytes[b]) != 0) {
            return false;
        }
    }
    return true;
}

bool BitSet::Intersects(const BitSet& other) const {
    if (bitCount != other.bitCount) {
        return false;
    }
    for (int b = 0; b < byteCount; ++b) {
        if ((bytes[b] & other.bytes[b]) != 0) {
            return true;
        }
    }
    return false;
}

bool BitSet::And(const BitSet& other) {
    if (bitCount != other.bitCount) {
        return false;
    }
    for (int b = 0; b < byteCount; ++b) {
        bytes[b] &= other.bytes[b];
    }
    return true;
}

bool BitSet::AndNot(const BitSet& other) {
    if (bitCount != other.bitCount) {
        return false;
    }
    for (int b = 0; b < byteCount; ++b) {
        bytes[b] &= static_cast<uint8_t>(~other.bytes[b]);
    }
    return true;
}

bool BitSet::Or(const BitSet& other) {
    if (bitCount != other.bitCount) {
        return false;
    }
    for (int b = 0; b < byteCount; ++b) {
        bytes[b] |= other.bytes[b];
    }
    return true;
}

bool BitSet::LoadBytes(const uint8_t* src, size_t srcSize) {
    if (src == nullptr || srcSize < static_cast<size_t>(byteCount)) {
        return false;
    }
    if (byteCount > 0) {
        std::memcpy(bytes, src, byteCount);
        MaskTail();
    }
    return true;
}

bool BitSet::StoreBytes(uint8_t* dst, size_t dstSize) const {
    if (dst == nullptr || dstSize < static_cast<size_t>(byteCount)) {
        return false;
    }
    if (byteCount > 0) {
        std::memcpy(dst, bytes, byteCount);
    }
    return true;
}

bool BitSet::Shift(int n) {
    if (!Any()) {
        return true;
    }
    if (n == 0) {
        return true;
    }
    int64_t distance = n > 0 ? static_cast<int64_t>(n) : -static_cast<int64_t>(n);
    if (distance >= bitCount) {
        return false;  // every set bit would leave
    }
    int moved = static_cast<int>(distance);
    if (n > 0) {
        if (FindSetRun(bitCount - moved, 1) != -1) {
            return false;
        }
        for (int i = bitCount - 1; i >= moved; --i) {
            WriteBit(i, Bit(i - moved));
        }
        WriteRange(0, moved, false);
    } else {
        if (FindSetRun(0, moved - 1, 1) != -1) {
            return false;
        }
        for (int i = 0; i + moved < bitCount; ++i) {
            WriteBit(i, Bit(i + moved));
        }
        WriteRange(bitCount - moved, moved, false);
    }
    return true;
}

// Whole bytes are skipped or counted at once where they lie inside the search, so that scans
// over the large texel map stay cheap; the result is that of a bit-by-bit scan.
int BitSet::FindRun(int start, int end, int length, bool value) const {
    if (length < 1 || bitCount == 0) {
        return -1;
    }
    const uint8_t otherByte = value ? 0x00 : 0xFF;
    const uint8_t sameByte = value ? 0xFF : 0x00;
    int i = std::max(start, 0);
    const int last = std::min(end, bitCount - 1);
    auto wholeByteAt = [&](int bit, uint8_t pattern) {
        return (bit & 7) == 0 && bit <= last - 7 && bytes[bit >> 3] == pattern;
    };
    while (i <= last) {
        while (i <= last && Bit(i) != value) {
            i += wholeByteAt(i, otherByte) ? 8 : 1;
        }
        const int runStart = i;
        int runLength = 0;
        while (i <= last && runLength < length && Bit(i) == value) {
            const int step = (wholeByteAt(i, sameByte) && length - runLength >= 8) ? 8 : 1;
            i += step;
            runLength += step;
        }
        if (runLength == length) {
            return runStart;
        }
    }
    return -1;
}

int BitSet::FindSetRun(int start, int length) const {
    return FindRun(start, bitCount - 1, length, true);
}

int BitSet::FindSetRun(int start, int end, int length) const {
    return FindRun(start, end, length, true);
}

int BitSet::FindClearRun(int start, int length) const {
    return FindRun(start, bitCount - 1, length, false);
}

int BitSet::FindClearRun(int start, int end, int length) const {
    return FindRun(start, end, length, false);
}

void BitSet::ClearAll() {
    if (inlineStorage) {
        std::memset(bytes, 0, byteCount);
    } else {
        ReleaseStorage();
    }
}

bool BitSet::Resize(int n) {
    if (inlineStorage || n < 0) {
        return false;
    }
    uint8_t* fresh = new (std::nothrow) uint8_t[BytesFor(n) > 0 ? BytesFor(n) : 1]();
    if (fresh == nullptr) {
        return false;
    }
    ReleaseStorage();
    bytes = fresh;
    ownsStorage = 1;
    byteCount = BytesFor(n);
    bitCount = n;
    return true;
}

bool BitSet::Adopt(std::unique_ptr<uint8_t[]> buffer, int n) {
    if (inlineStorage || n < 0 || buffer == nullptr) {
        return false;
    }
    ReleaseStorage();
    bytes = buffer.release();
    ownsStorage = 1;
    byteCount = BytesFor(n);
    bitCount = n;
    std::memset(bytes, 0, byteCount);
    return true;
}

}  // namespace editor::model
