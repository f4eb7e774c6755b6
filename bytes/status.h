#pragma once
// How readers and writers report, everywhere inside the program: a Status is success, or a
// failure of one kind with a reason (bytes/result.h adds a value to the success). The kind is
// for the caller to choose what the user is told (the command that started the operation says
// it, never the reader); a reader's reason is a developer trace, never shown to the user, and
// only a Refused status carries a text for the user (the shell shows it). Traces: Trace prints it
// to standard error in debug builds or when MARIONET_TRACE is set to anything but "0". Operations
// whose callers expect another form (the mesh readers' 0 or -1, the picture readers' and writers' 1
// or 0) keep it at that boundary and trace the reason there.

#include <string>
#include <string_view>
#include <utility>

namespace bytes {

enum class Failure {
    None,
    CantOpen,
    CantRead,
    CantWrite,
    TooLarge,
    WrongSize,
    OutOfMemory,
    BadData,
    // The person declined a question or cancelled a dialog: the operation ends silently.
    Cancelled,
    // An editor operation cannot be done; its reason is the message the shell shows the user.
    Refused
};

class [[nodiscard]] Status {
  public:
    // Success.
    Status() = default;
    static Status Fail(Failure kind, std::string reason, int systemError = 0);
    // A file whose contents are not what the reader expects.
    static Status BadData(std::string reason) { return Fail(Failure::BadData, std::move(reason)); }
    // The person said no or cancelled.
    static Status Cancel() { return Fail(Failure::Cancelled, {}); }
    // The operation cannot be done; message is what the shell tells the user.
    static Status Refuse(std::string message) { return Fail(Failure::Refused, std::move(message)); }

    bool Ok() const { return kind_ == Failure::None; }
    explicit operator bool() const { return Ok(); }
    Failure Kind() const { return kind_; }
    bool Cancelled() const { return kind_ == Failure::Cancelled; }
    const std::string& Reason() const { return reason_; }
    // The system's error number of a failed open, or 0.
    int SystemError() const { return systemError_; }

  private:
    Failure kind_ = Failure::None;
    std::string reason_;
    int systemError_ = 0;
};

// Another library's error text as a clause of one of our sentences: without its closing full
// stop and spaces; fallback when it says nothing.
std::string ReasonClause(std::string text, std::string_view fallback);

// True in debug builds, or when the environment variable MARIONET_TRACE asks for traces.
bool TracesWanted();
// Prints the reason of a failed status as one line on standard error when traces are wanted;
// returns the status for use in a return statement.
const Status& Trace(const Status& status);

}  // namespace bytes
