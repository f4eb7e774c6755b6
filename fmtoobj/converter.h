#pragma once
// The converter as a whole, with its console and output directory passed in.

#include <cstdint>
#include <ostream>
#include <span>
#include <string>

#include "fmtoobj/options.h"
#include "fmtoobj/output_directory.h"

namespace fmtoobj {

// Runs the command line (arguments[0] is the program path) and returns the exit status: 0,
// -1 after a fatal error, or the system's error number when the input cannot be opened.
int RunFmToObj(std::span<const std::string> arguments, std::ostream& console,
               OutputDirectory& output);

// Everything after the file is read: chunk walk, OBJ files, extended printout. 0 or -1.
int ConvertModel(std::span<const uint8_t> bytes, const ConverterOptions& options,
                 std::ostream& console, OutputDirectory& output);

}  // namespace fmtoobj
