#pragma once
// Writing a user's file so that a failed write never destroys the file it replaces: the
// bytes go to a file beside it first, which is renamed over the target only when complete.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "bytes/status.h"

namespace bytes {

// Fails CantOpen when the side file cannot be created, CantWrite when it cannot be written or
// renamed over the target.
Status ReplaceFile(const std::string& path, std::span<const uint8_t> bytes);
Status ReplaceFile(const std::string& path, std::string_view text);

}  // namespace bytes
