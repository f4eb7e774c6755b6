#pragma once
// Walks a FlexModel's chunks from the start, printing one line per chunk, checking versions
// and sizes, finding the wanted frame and remembering where each needed chunk's data lies.

#include <optional>
#include <ostream>
#include <string>

#include "bytes/byte_reader.h"
#include "fmtoobj/chunk_map.h"

namespace fmtoobj {

using namespace ::bytes;
using namespace ::flexmodel;

// Returns the fatal error's message, or nothing when the walk got through the whole file.
// `frameName` is the wanted frame (":-)" for the first one).
std::optional<std::string> WalkChunks(const ByteReader& file, const std::string& frameName,
                                      ChunkMap& map, std::ostream& console);

}  // namespace fmtoobj
