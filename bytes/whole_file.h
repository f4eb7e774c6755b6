#pragma once
// Reading a whole file into memory, the one way every reader of the program does it.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "bytes/status.h"

namespace bytes {

// Files larger than this are refused unread (streams are cut off there): no model, mesh or
// picture the programs can hold comes near it, and it keeps a wrong path from filling memory.
inline constexpr std::size_t MAX_FILE_BYTES = std::size_t{256} << 20;

// Reads the whole file. Fails CantOpen (with the system's error number), TooLarge, OutOfMemory
// or CantRead (also for a directory), with bytes emptied. Pipes and devices have no size to
// trust and are read to their end.
Status ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes);
// As ReadWholeFile for a file that must be exactly `size` bytes long: WrongSize when it is not.
Status ReadFileOfSize(const std::string& path, std::size_t size, std::vector<uint8_t>& bytes);

bool FileExists(const std::string& path);

}  // namespace bytes
