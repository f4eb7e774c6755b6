#include "bytes/whole_file.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <new>
#include <optional>
#include <system_error>

namespace bytes {

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

Status TooLarge(const std::string& path) {
    return Status::Fail(Failure::TooLarge, "File is larger than the limit: " + path);
}

Status CantRead(const std::string& path) {
    return Status::Fail(Failure::CantRead, "Failed to read " + path);
}

// A regular file's size; nothing for pipes, devices and directories.
std::optional<std::uintmax_t> RegularFileSize(const std::string& path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        return std::nullopt;
    }
    std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error) {
        return std::nullopt;
    }
    return size;
}

Status ReadSized(const std::string& path, std::FILE* file, std::uintmax_t size,
                 std::vector<uint8_t>& bytes) {
    if (size > MAX_FILE_BYTES) {
        return TooLarge(path);
    }
    bytes.resize(static_cast<std::size_t>(size));
    if (std::fread(bytes.data(), 1, bytes.size(), file) != bytes.size()) {
        return CantRead(path);
    }
    return Status();
}

Status ReadToEnd(const std::string& path, std::FILE* file, std::vector<uint8_t>& bytes) {
    uint8_t buffer[65536];
    std::size_t count;
    while ((count = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        if (bytes.size() + count > MAX_FILE_BYTES) {
            return TooLarge(path);
        }
        bytes.insert(bytes.end(), buffer, buffer + count);
    }
    return std::ferror(file) ? CantRead(path) : Status();
}

Status ReadOpened(const std::string& path, std::FILE* file, const std::size_t* requiredSize,
                  std::vector<uint8_t>& bytes) {
    std::optional<std::uintmax_t> size = RegularFileSize(path);
    if (size && requiredSize != nullptr && *size != *requiredSize) {
        return Status::Fail(Failure::WrongSize, "File has the wrong size: " + path);
    }
    Status status = size ? ReadSized(path, file, *size, bytes) : ReadToEnd(path, file, bytes);
    if (status && requiredSize != nullptr && bytes.size() != *requiredSize) {
        return Status::Fail(Failure::WrongSize, "File has the wrong size: " + path);
    }
    return status;
}

Status Read(const std::string& path, const std::size_t* requiredSize, std::vector<uint8_t>& bytes) {
    bytes.clear();
    errno = 0;
    FilePtr file(std::fopen(path.c_str(), "rb"));
    if (!file) {
        return Status::Fail(Failure::CantOpen, "Failed to open " + path, errno);
    }
    Status status;
    try {
        status = ReadOpened(path, file.get(), requiredSize, bytes);
    } catch (const std::bad_alloc&) {
        status = Status::Fail(Failure::OutOfMemory, "Out of memory reading " + path);
    } catch (const std::length_error&) {
        status = Status::Fail(Failure::OutOfMemory, "Out of memory reading " + path);
    }
    if (!status) {
        bytes.clear();
    }
    return status;
}

}  // namespace

Status ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes) {
    return Read(path, nullptr, bytes);
}

Status ReadFileOfSize(const std::string& path, std::size_t size, std::vector<uint8_t>& bytes) {
    return Read(path, &size, bytes);
}

bool FileExists(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

}  // namespace bytes
