#pragma once
// The converter's settings, taken once from the command line.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace fmtoobj {

// The frame name that stands for "the first frame of the file".
inline constexpr std::string_view FIRST_FRAME_NAME = ":-)";

struct ConverterOptions {
    bool extended = false;
    bool perNode = false;
    bool editorOrientation = false;
    bool partNames = false;
    bool sparse = false;
    uint32_t nodeMask = 0xFFFF;
    std::string frameName{FIRST_FRAME_NAME};
    bool trueSpace = false;
    bool poser = false;
    std::string inputPath = "tris.fm";
};

struct CommandLine {
    ConverterOptions options;
    std::string error;  // the usage error's message; empty when the arguments were fine
};

// `arguments` excludes the program path.
CommandLine ParseCommandLine(std::span<const std::string> arguments);

}  // namespace fmtoobj
