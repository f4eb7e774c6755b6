#pragma once
// A file written beside its target and renamed over it only when complete, so that a failed
// write leaves the old file as it was.

#include <cstdio>
#include <string>
#include <string_view>

namespace bytes {

// Where a file is written before it is renamed over target.
std::string SideFilePath(const std::string& target);

class SideFile {
  public:
    SideFile() = default;
    SideFile(const SideFile&) = delete;
    SideFile& operator=(const SideFile&) = delete;
    // Discards the side file unless Commit succeeded.
    ~SideFile();

    bool Open(const std::string& target);
    bool Write(const void* data, std::size_t size);
    bool Write(std::string_view text) { return Write(text.data(), text.size()); }
    // Bytes written so far (the end of the file).
    std::size_t Size() const { return size_; }
    // Overwrites bytes already written at offset; false (changing nothing) past the end.
    bool Rewrite(std::size_t offset, const void* data, std::size_t size);
    // Closes the side file and renames it over the target.
    bool Commit();

  private:
    void Discard();

    std::string target_;
    std::string sidePath_;
    std::FILE* file_ = nullptr;
    bool failed_ = false;
    std::size_t size_ = 0;
};

}  // namespace bytes
