#pragma once
// Whole-file reads into memory. User files are replaced through flexmodel/replace_file.h.

#include <cstdint>
#include <string>
#include <vector>

namespace editor::io {

// Files larger than this are refused by every reader: no mesh or picture the editor can hold
// comes near it, and it keeps a wrong path from filling memory.
constexpr std::size_t MAX_INPUT_FILE_BYTES = 256u * 1024u * 1024u;

// Reads the whole file; false when it cannot be opened, read or is too large.
bool ReadFileBytes(const std::string& path, std::vector<uint8_t>& bytes);

}  // namespace editor::io
