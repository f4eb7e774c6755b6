#pragma once
// Turns what the chunk walk found into a checked FrameModel: every count, offset and index
// is checked against the data it points into before anything is exported.

#include <optional>
#include <string>

#include "bytes/byte_reader.h"
#include "fmtoobj/chunk_map.h"
#include "fmtoobj/frame_model.h"

namespace fmtoobj {

using namespace ::bytes;
using namespace ::flexmodel;

// Returns the fatal error's message, or nothing when `model` is complete. Only the command
// lists of the nodes in `nodeMask` are read.
std::optional<std::string> DecodeFrameModel(const ByteReader& file, const ChunkMap& map,
                                            uint32_t nodeMask, FrameModel& model);

}  // namespace fmtoobj
