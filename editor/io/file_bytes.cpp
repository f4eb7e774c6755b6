#include "editor/io/file_bytes.h"

#include <cstdio>
#include <memory>

namespace editor::io {

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

bool FileSize(std::FILE* file, std::size_t& size) {
    if (std::fseek(file, 0, SEEK_END) != 0) {
        return false;
    }
    long end = std::ftell(file);
    if (end < 0 || std::fseek(file, 0, SEEK_SET) != 0) {
        return false;
    }
    size = static_cast<std::size_t>(end);
    return true;
}

}  // namespace

bool ReadFileBytes(const std::string& path, std::vector<uint8_t>& bytes) {
    bytes.clear();
    FilePtr file(std::fopen(path.c_str(), "rb"));
    std::size_t size = 0;
    if (!file || !FileSize(file.get(), size) || size > MAX_INPUT_FILE_BYTES) {
        return false;
    }
    bytes.resize(size);
    if (size > 0 && std::fread(bytes.data(), 1, size, file.get()) != size) {
        bytes.clear();
        return false;
    }
    return true;
}

}  // namespace editor::io
