#include "editor/io/file_bytes.h"

#include <cstdio>
#include <memory>

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

bool ReplaceFileBytes(const std::string& path, std::span<const uint8_t> bytes) {
    if (path.empty()) {
        return false;
    }
    const std::string temporary = path + ".tmp~";
    {
        FilePtr file(std::fopen(temporary.c_str(), "wb"));
        if (!file) {
            return false;
        }
        bool written =
            bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size();
        if (std::fflush(file.get()) != 0) {
            written = false;
        }
        std::FILE* raw = file.release();
        if (std::fclose(raw) != 0) {
            written = false;
        }
        if (!written) {
            std::remove(temporary.c_str());
            return false;
        }
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

bool ReplaceFileText(const std::string& path, const std::string& text) {
    return ReplaceFileBytes(
        path, std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
}
