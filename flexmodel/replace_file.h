#pragma once
// Writing a user's file so that a failed write never destroys the file it replaces: the
// bytes go to a file beside it first, which is renamed over the target only when complete.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace flexmodel {

bool ReplaceFile(const std::string& path, std::span<const uint8_t> bytes);
bool ReplaceFile(const std::string& path, std::string_view text);

}  // namespace flexmodel
