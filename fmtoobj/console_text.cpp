#include "fmtoobj/console_text.h"

#include <cstdarg>
#include <cstdio>

namespace fmtoobj {

std::string Format(const char* format, ...) {
    // Nearly every line fits the stack buffer, so the text is formatted once.
    char line[256];
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    int length = std::vsnprintf(line, sizeof line, format, copy);
    va_end(copy);
    std::string text;
    if (length > 0 && static_cast<std::size_t>(length) < sizeof line) {
        text.assign(line, static_cast<std::size_t>(length));
    } else if (length > 0) {
        text.resize(static_cast<std::size_t>(length) + 1);
        std::vsnprintf(text.data(), text.size(), format, args);
        text.resize(static_cast<std::size_t>(length));
    }
    va_end(args);
    return text;
}

std::string StartupText(std::string_view programPath) {
    return "Executing " + std::string(programPath) +
           "\nfmtoobj - FlexModel frame to Wavefront OBJ converter of the Marionet tool set\n";
}

std::string UsageText(std::string_view programPath) {
    std::string path(programPath);
    return "\nProgram: " + path +
           "\n Version 1.4\n"
           "Purpose: Export a single frame of a Heretic II FlexModel as Wavefront .OBJ\n"
           "\n"
           "Usage:\n" +
           Format("%s [/f framename] [/m hexmask] [/p] [/x] file.fm\n", path.c_str()) +
           "Options:\n"
           "    /f framename    Export the specified animation frame (else 1st frame)\n"
           "    /g              Export with Marionet-friendly model orientation\n"
           "    /m hexmask      Export only the specified meshnodes (else all nodes)\n"
           "    /p              Export each meshnode to a separate file (else 1 file)\n"
           "    /x              Output extended reference and skeleton info (else just mesh)\n"
           "    /2              Transpose coordinates for import into TrueSpace 2 (else normal)\n"
           "    /4              Transpose coordinates for import into Poser 4 (else normal)\n"
           "    /c              Use Corvus/Kiera mesh node names (else generic)\n"
           "    /s              Sparse - eliminate vertices that are not used\n"
           "    file,fm         Name of the input file (else tris.fm)\n"
           "Output file name is frame name + hexmask + .obj\n";
}

std::string FatalText(std::string_view message) {
    return "\nFATAL: " + std::string(message) + "\n";
}

}  // namespace fmtoobj
