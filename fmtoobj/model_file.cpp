#include "fmtoobj/model_file.h"

#include <cerrno>
#include <cstdio>
#include <new>

namespace {

bool ReadAll(std::FILE* file, std::vector<uint8_t>& bytes) {
    uint8_t buffer[65536];
    std::size_t count;
    while ((count = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        bytes.insert(bytes.end(), buffer, buffer + count);
    }
    return !std::ferror(file);
}

}  // namespace

ModelFile ReadModelFile(const std::string& path) {
    ModelFile result;
    errno = 0;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) {
        result.errorNumber = errno;
        return result;
    }
    // Reading to the end rather than trusting a seek keeps pipes and growing files honest.
    try {
        result.status =
            ReadAll(file, result.bytes) ? ModelFileStatus::Read : ModelFileStatus::CantRead;
    } catch (const std::bad_alloc&) {
        result.bytes.clear();
        result.status = ModelFileStatus::CantAllocate;
    }
    std::fclose(file);
    return result;
}
