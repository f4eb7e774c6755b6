// Feeds arbitrary bytes to the converter as a FlexModel file. The first two bytes choose the
// options, so that every export path is reached; output goes to memory.

#include <cstddef>
#include <cstdint>
#include <ostream>
#include <span>
#include <streambuf>

#include "fmtoobj/converter.h"

using namespace ::fmtoobj;

namespace {

class NullBuffer : public std::streambuf {
  protected:
    int overflow(int c) override { return c; }
    std::streamsize xsputn(const char*, std::streamsize count) override { return count; }
};

ConverterOptions OptionsFrom(uint8_t flags, uint8_t mask) {
    ConverterOptions options;
    options.perNode = flags & 0x01;
    options.sparse = flags & 0x02;
    options.extended = flags & 0x04;
    options.trueSpace = flags & 0x08;
    options.poser = flags & 0x10;
    options.editorOrientation = flags & 0x20;
    options.partNames = flags & 0x40;
    if (flags & 0x80) {
        options.frameName = "stand1";
    }
    options.nodeMask = mask == 0 ? 0xFFFFu : (mask * 0x01010101u);
    return options;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    if (size < 2) {
        return 0;
    }
    NullBuffer buffer;
    std::ostream console(&buffer);
    MemoryDirectory output;
    ConvertModel(std::span(data + 2, size - 2), OptionsFrom(data[0], data[1]), console, output);
    return 0;
}
