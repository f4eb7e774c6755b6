#pragma once
// What became of a merge, for the shell to show: the message boxes in order, then the status
// line (none when empty).

#include <string>
#include <vector>

namespace editor::props {

struct MergeOutcome {
    bool done = false;
    std::vector<std::string> messages;
    std::string status;
};

inline constexpr const char* MERGE_ABORTED_STATUS = "Prop merge aborted";

}  // namespace editor::props
