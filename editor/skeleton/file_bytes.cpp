#include "editor/skeleton/file_bytes.h"

#include "flexmodel/side_file.h"

#include <filesystem>
#include <fstream>
#include <new>
#include <system_error>

namespace editor::skeleton {

using namespace ::flexmodel;

bool FileExists(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

namespace {
FileReadResult ReadFile(const std::string& path, const size_t* requiredSize,
                        std::vector<uint8_t>& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in || std::filesystem::is_directory(path)) {
        return FileReadResult::CantOpen;
    }
    in.seekg(0, std::ios::end);
    std::streamoff size = in.tellg();
    in.seekg(0, std::ios::beg);
    if (size < 0 || !in) {
        return FileReadResult::CantRead;
    }
    if (requiredSize != nullptr && static_cast<uint64_t>(size) != *requiredSize) {
        return FileReadResult::WrongSize;
    }
    try {
        bytes.assign(static_cast<size_t>(size), 0);
    } catch (const std::bad_alloc&) {
        return FileReadResult::OutOfMemory;
    } catch (const std::length_error&) {
        return FileReadResult::OutOfMemory;
    }
    if (size > 0 && !in.read(reinterpret_cast<char*>(bytes.data()), size)) {
        bytes.clear();
        return FileReadResult::CantRead;
    }
    return FileReadResult::Ok;
}
}  // namespace

FileReadResult ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes) {
    return ReadFile(path, nullptr, bytes);
}

FileReadResult ReadFileOfSize(const std::string& path, size_t size, std::vector<uint8_t>& bytes) {
    return ReadFile(path, &size, bytes);
}

FileWriteResult ReplaceFileContents(const std::string& path, const std::vector<uint8_t>& bytes) {
    SideFile file;
    if (!file.Open(path)) {
        return FileWriteResult::CantOpen;
    }
    return file.Write(bytes.data(), bytes.size()) && file.Commit() ? FileWriteResult::Ok
                                                                   : FileWriteResult::CantWrite;
}

}  // namespace editor::skeleton
