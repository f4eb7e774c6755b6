#pragma once
// Whole-file reads into memory and safe replacement of user files.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

// Files larger than this are refused by every reader: no mesh or picture the editor can hold
// comes near it, and it keeps a wrong path from filling memory.
constexpr std::size_t MAX_INPUT_FILE_BYTES = 256u * 1024u * 1024u;

// Reads the whole file; false when it cannot be opened, read or is too large.
bool ReadFileBytes(const std::string& path, std::vector<uint8_t>& bytes);

// Writes bytes to a temporary file beside path and renames it over path, so a failed write
// never destroys the old file. False when anything fails (the old file is then untouched).
bool ReplaceFileBytes(const std::string& path, std::span<const uint8_t> bytes);
bool ReplaceFileText(const std::string& path, const std::string& text);
