#pragma once

#include <cstdarg>
#include <cstdio>
#include <string>

namespace editor::shell {

// The log behind SetStatus: "mn.log" in the current directory, truncated by the first message
// of a run and appended to after that. When it cannot be opened, messages go only to the
// status bar; the open is not retried, so a run logs all of its lines or none.
class StatusLog {
  public:
    static constexpr std::size_t kMaxMessageLength = 255;

    explicit StatusLog(std::string path = "mn.log") : path_(std::move(path)) {}
    ~StatusLog();
    StatusLog(const StatusLog&) = delete;
    StatusLog& operator=(const StatusLog&) = delete;

    // Appends one line (the text and a newline) and flushes it, so the log survives a crash.
    void Append(const std::string& text);
    bool IsOpen() const { return file_ != nullptr; }

  private:
    std::string path_;
    std::FILE* file_ = nullptr;
    bool opened_ = false;
};

// printf-style formatting cut at 255 characters.
std::string FormatStatus(const char* format, std::va_list args);
std::string FormatStatus(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace editor::shell
