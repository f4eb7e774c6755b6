#pragma once
// The fixed texts the converter prints, and printf-style formatting for the rest.

#include <string>
#include <string_view>

namespace fmtoobj {

std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));

std::string StartupText(std::string_view programPath);
std::string UsageText(std::string_view programPath);
std::string FatalText(std::string_view message);

}  // namespace fmtoobj
