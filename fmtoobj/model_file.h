#pragma once
// Reading the whole input file into memory.

#include <cstdint>
#include <string>
#include <vector>

enum class ModelFileStatus { Read, CantOpen, CantAllocate, CantRead };

struct ModelFile {
    ModelFileStatus status = ModelFileStatus::CantOpen;
    int errorNumber = 0;  // the system's error number of a failed open
    std::vector<uint8_t> bytes;
};

ModelFile ReadModelFile(const std::string& path);
