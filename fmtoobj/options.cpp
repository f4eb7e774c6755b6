#include "fmtoobj/options.h"

#include <cctype>
#include <cstdlib>

namespace fmtoobj {

namespace {

// Options match a whole argument; their letters in either case.
bool IsOption(const std::string& argument, char letter) {
    return argument.size() == 2 && argument[0] == '/' &&
           std::tolower(static_cast<unsigned char>(argument[1])) == letter;
}

// Reads the value as scanf's "%lx" would; a value without hex digits leaves the mask alone.
void ReadHexMask(const std::string& text, uint32_t& mask) {
    const char* start = text.c_str();
    char* end = nullptr;
    unsigned long value = std::strtoul(start, &end, 16);
    if (end != start) {
        mask = static_cast<uint32_t>(value);
    }
}

bool ApplyFlag(const std::string& argument, ConverterOptions& options) {
    struct Flag {
        char letter;
        bool ConverterOptions::*setting;
    };
    static constexpr Flag flags[] = {
        {'x', &ConverterOptions::extended},
        {'p', &ConverterOptions::perNode},
        {'g', &ConverterOptions::editorOrientation},
        {'c', &ConverterOptions::partNames},
        {'s', &ConverterOptions::sparse},
        {'2', &ConverterOptions::trueSpace},
        {'4', &ConverterOptions::poser},
    };
    for (const Flag& flag : flags) {
        if (IsOption(argument, flag.letter)) {
            options.*flag.setting = true;
            return true;
        }
    }
    return false;
}

}  // namespace

CommandLine ParseCommandLine(std::span<const std::string> arguments) {
    CommandLine result;
    ConverterOptions& options = result.options;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        bool last = i + 1 == arguments.size();
        if (ApplyFlag(argument, options)) {
            continue;
        }
        if (IsOption(argument, 'm')) {
            if (last) {
                result.error = "/m requires hexadecimal argument";
                return result;
            }
            ReadHexMask(arguments[++i], options.nodeMask);
        } else if (IsOption(argument, 'f')) {
            if (last) {
                result.error = "/f requires string argument";
                return result;
            }
            options.frameName = arguments[++i];
        } else if (last) {
            options.inputPath = argument;
        } else {
            result.error = "unrecognized argument";
            return result;
        }
    }
    return result;
}

}  // namespace fmtoobj
