#pragma once
// Reading one mesh node's drawing-command list out of the "glcmds" words.

#include <optional>
#include <string>
#include <vector>

#include "bytes/byte_reader.h"
#include "fmtoobj/frame_model.h"

namespace fmtoobj {

using namespace ::bytes;
using namespace ::flexmodel;

struct CommandListSource {
    ByteReader words;  // the "glcmds" chunk data
    int vertexCount = 0;
};

// Reads the list of `glCount` words starting at word `glStart`. A 0 word ends the list early;
// a command may run on past glCount but never past the chunk. Returns the fatal error's
// message, or nothing with `commands` filled.
std::optional<std::string> ReadCommandList(const CommandListSource& source, int node, int glStart,
                                           int glCount, std::vector<GlCommand>& commands);

}  // namespace fmtoobj
