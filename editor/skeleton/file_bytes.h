#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace editor::skeleton {

enum class FileReadResult { Ok, CantOpen, OutOfMemory, CantRead, WrongSize };
enum class FileWriteResult { Ok, CantOpen, CantWrite };

bool FileExists(const std::string& path);
// Reads the whole file into memory.
FileReadResult ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes);
// Reads a file that must be exactly `size` bytes long; any other size is refused unread.
FileReadResult ReadFileOfSize(const std::string& path, size_t size, std::vector<uint8_t>& bytes);
// Writes the bytes beside the file and renames them over it, so a failed write leaves the
// old file as it was.
FileWriteResult ReplaceFileContents(const std::string& path, const std::vector<uint8_t>& bytes);

}  // namespace editor::skeleton
