#pragma once

#include <cstdint>
#include <string>
#include <vector>

enum class FileReadResult { Ok, CantOpen, OutOfMemory, CantRead };
enum class FileWriteResult { Ok, CantOpen, CantWrite };

bool FileExists(const std::string& path);
// Reads the whole file into memory.
FileReadResult ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes);
// Writes the bytes beside the file and renames them over it, so a failed write leaves the
// old file as it was.
FileWriteResult ReplaceFileContents(const std::string& path, const std::vector<uint8_t>& bytes);
