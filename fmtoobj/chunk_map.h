#pragma once
// What the chunk walk learns about a file: where the data of each chunk the export needs lies,
// and which frame it selected.

#include <cstddef>
#include <optional>
#include <string>

#include "flexmodel/records.h"

namespace fmtoobj {

using namespace ::flexmodel;

struct DataSpan {
    std::size_t offset = 0;
    std::size_t size = 0;
};

struct ChunkMap {
    std::optional<FlexHeader> header;
    std::optional<DataSpan> stCoords;
    std::optional<DataSpan> frames;
    std::optional<DataSpan> glCommands;
    std::optional<DataSpan> meshNodes;
    std::string frameName;
    int frameIndex = -1;
    std::size_t frameOffset = 0;
    // File offsets of the selected frame's skeleton and reference blocks, when present.
    std::optional<std::size_t> skeletonBlock;
    std::optional<std::size_t> referenceBlock;
};

}  // namespace fmtoobj
