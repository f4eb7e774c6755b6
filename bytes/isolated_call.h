#pragma once
// Runs a piece of work in a child process and hands back the bytes it produced, so that a
// library which crashes, corrupts its heap or loops on a damaged file (assimp does on some)
// takes only the child with it. POSIX fork here; another platform changes this one file.

#include <chrono>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "bytes/status.h"

namespace bytes {

// More than this from a child is no answer: the parent stops reading.
inline constexpr std::size_t MAX_ISOLATED_ANSWER_BYTES = std::size_t{1} << 30;

// Runs work in a child and collects what it returns. False, with why in words ("signal 6",
// "exit status 3", "no answer within 60 s", ...), when the child did not finish normally;
// a child still running after limit is killed.
bool RunIsolated(const std::function<std::vector<uint8_t>()>& work, std::chrono::seconds limit,
                 std::vector<uint8_t>& answer, std::string& why);

// How long a reader run apart may take before it is taken for hung.
inline constexpr std::chrono::seconds ISOLATED_READ_LIMIT{60};

enum class IsolatedRead { Succeeded, Refused, Stopped };
// A reader run in a child: read returns its result as bytes, or false with its reason. Refused
// passes that reason on; Stopped says why the child ended without answering (RunIsolated's why).
IsolatedRead RunIsolatedRead(const std::function<bool(std::vector<uint8_t>&, std::string&)>& read,
                             std::vector<uint8_t>& result, std::string& reason);

// A reader of the file at path run in a child by RunIsolatedRead, its answer decoded here by
// decode. Refused with the reader's own reason; with "LIBRARY stopped while reading 'NAME' (why)"
// when the child ended without answering, and "LIBRARY sent back a damaged answer for 'NAME'"
// when decode rejects what it sent (NAME: the path's file name, LIBRARY: library).
Status ReadApart(const std::string& library, const std::string& path,
                 const std::function<bool(std::vector<uint8_t>&, std::string&)>& read,
                 const std::function<bool(std::span<const uint8_t>)>& decode);

}  // namespace bytes
