#include "fmtoobj/model_file.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <new>

namespace fmtoobj {

namespace {

bool ReadSized(std::FILE* file, std::uintmax_t size, std::vector<uint8_t>& bytes) {
    bytes.resize(static_cast<std::size_t>(size));
    return std::fread(bytes.data(), 1, bytes.size(), file) == bytes.size();
}

// Pipes and devices have no size to trust: they are read up to a limit, so that an endless
// one such as /dev/zero cannot take all memory.
ModelFileStatus ReadToEnd(std::FILE* file, std::vector<uint8_t>& bytes) {
    uint8_t buffer[65536];
    std::size_t count;
    while ((count = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        if (bytes.size() + count > MAX_STREAMED_MODEL_SIZE) {
            return ModelFileStatus::TooLarge;
        }
        bytes.insert(bytes.end(), buffer, buffer + count);
    }
    return std::ferror(file) ? ModelFileStatus::CantRead : ModelFileStatus::Read;
}

ModelFileStatus ReadAll(const std::string& path, std::FILE* file, std::vector<uint8_t>& bytes) {
    std::error_code error;
    if (std::filesystem::is_regular_file(path, error)) {
        std::uintmax_t size = std::filesystem::file_size(path, error);
        if (!error) {
            return ReadSized(file, size, bytes) ? ModelFileStatus::Read : ModelFileStatus::CantRead;
        }
    }
    return ReadToEnd(file, bytes);
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
    try {
        result.status = ReadAll(path, file, result.bytes);
    } catch (const std::bad_alloc&) {
        result.bytes.clear();
        result.status = ModelFileStatus::CantAllocate;
    }
    std::fclose(file);
    return result;
}

}  // namespace fmtoobj
