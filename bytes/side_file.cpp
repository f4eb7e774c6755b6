#include "bytes/side_file.h"

namespace bytes {

std::string SideFilePath(const std::string& target) {
    return target + ".partial";
}

SideFile::~SideFile() {
    Discard();
}

bool SideFile::Open(const std::string& target) {
    Discard();
    target_ = target;
    sidePath_ = SideFilePath(target);
    size_ = 0;
    file_ = std::fopen(sidePath_.c_str(), "wb");
    failed_ = file_ == nullptr;
    return file_ != nullptr;
}

bool SideFile::Write(const void* data, std::size_t size) {
    if (!file_ || failed_) {
        return false;
    }
    if (size != 0 && std::fwrite(data, 1, size, file_) != size) {
        failed_ = true;
    }
    size_ += size;
    return !failed_;
}

bool SideFile::Rewrite(std::size_t offset, const void* data, std::size_t size) {
    if (!file_ || failed_ || offset > size_ || size > size_ - offset) {
        return false;
    }
    if (std::fseek(file_, static_cast<long>(offset), SEEK_SET) != 0 ||
        (size != 0 && std::fwrite(data, 1, size, file_) != size) ||
        std::fseek(file_, 0, SEEK_END) != 0) {
        failed_ = true;
    }
    return !failed_;
}

bool SideFile::Commit() {
    if (!file_) {
        return false;
    }
    bool closed = std::fclose(file_) == 0;
    file_ = nullptr;
    if (failed_ || !closed || std::rename(sidePath_.c_str(), target_.c_str()) != 0) {
        std::remove(sidePath_.c_str());
        return false;
    }
    sidePath_.clear();
    return true;
}

void SideFile::Discard() {
    if (file_) {
        std::fclose(file_);
        file_ = nullptr;
    }
    if (!sidePath_.empty()) {
        std::remove(sidePath_.c_str());
        sidePath_.clear();
    }
}

}  // namespace bytes
