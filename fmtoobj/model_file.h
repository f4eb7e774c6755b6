#pragma once
// Reading the whole input file into memory.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace fmtoobj {

enum class ModelFileStatus { Read, CantOpen, CantAllocate, CantRead, TooLarge };

// The most read from an input that is not a regular file (a pipe or a device).
constexpr std::size_t MAX_STREAMED_MODEL_SIZE = std::size_t{256} << 20;

struct ModelFile {
    ModelFileStatus status = ModelFileStatus::CantOpen;
    int errorNumber = 0;  // the system's error number of a failed open
    std::vector<uint8_t> bytes;
};

ModelFile ReadModelFile(const std::string& path);

}  // namespace fmtoobj
