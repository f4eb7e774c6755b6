#include "bytes/replace_file.h"

#include "bytes/side_file.h"

namespace bytes {

Status ReplaceFile(const std::string& path, std::span<const uint8_t> bytes) {
    SideFile file;
    if (!file.Open(path)) {
        return Status::Fail(Failure::CantOpen, "Failed to create the file beside " + path);
    }
    if (!file.Write(bytes.data(), bytes.size()) || !file.Commit()) {
        return Status::Fail(Failure::CantWrite, "Failed to write " + path);
    }
    return Status();
}

Status ReplaceFile(const std::string& path, std::string_view text) {
    return ReplaceFile(
        path, std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
}

}  // namespace bytes
