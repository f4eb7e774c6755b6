#include "flexmodel/replace_file.h"

#include "flexmodel/side_file.h"

namespace flexmodel {

bool ReplaceFile(const std::string& path, std::span<const uint8_t> bytes) {
    SideFile file;
    return file.Open(path) && file.Write(bytes.data(), bytes.size()) && file.Commit();
}

bool ReplaceFile(const std::string& path, std::string_view text) {
    SideFile file;
    return file.Open(path) && file.Write(text) && file.Commit();
}

}  // namespace flexmodel
