#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace editor::shell {

// Small text helpers of the shell: case-insensitive comparison (ASCII), trimming and
// splitting on blanks.
bool EqualsIgnoreCase(std::string_view a, std::string_view b);
std::string_view Trim(std::string_view text);
std::vector<std::string_view> SplitWords(std::string_view text);

}  // namespace editor::shell
