#include "editor/shell/status_log.h"

namespace editor::shell {

StatusLog::~StatusLog() {
    if (file_ != nullptr) {
        std::fclose(file_);
    }
}

void StatusLog::Append(const std::string& text) {
    if (!opened_) {
        opened_ = true;
        file_ = std::fopen(path_.c_str(), "w");
    }
    if (file_ == nullptr) {
        return;
    }
    std::fputs(text.c_str(), file_);
    std::fputc('\n', file_);
    std::fflush(file_);
}

std::string FormatStatus(const char* format, std::va_list args) {
    char buffer[StatusLog::kMaxMessageLength + 1];
    int length = std::vsnprintf(buffer, sizeof buffer, format, args);
    if (length < 0) {
        return std::string();
    }
    return std::string(buffer);
}

std::string FormatStatus(const char* format, ...) {
    std::va_list args;
    va_start(args, format);
    std::string text = FormatStatus(format, args);
    va_end(args);
    return text;
}

}  // namespace editor::shell
