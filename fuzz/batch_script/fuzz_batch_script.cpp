// Feeds arbitrary text to the batch-script parser line by line, and every `run` statement's
// command to the command lookup.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "editor/shell/batch_script.h"

using namespace ::editor::shell;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    int lineNumber = 1;
    while (!text.empty()) {
        std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        BatchLine parsed = ParseBatchLine(line, lineNumber++);
        if (parsed.statement && parsed.statement->kind == BatchStatement::Kind::Run) {
            FindCommandForScript(parsed.statement->command);
        }
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    }
    return 0;
}
