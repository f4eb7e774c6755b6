#include "bytes/isolated_call.h"

#include <poll.h>
#include <signal.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

namespace bytes {

namespace {

// The child's side: the answer down the pipe, then gone without running the parent's exit
// handlers (its windows, its files) a second time.
[[noreturn]] void AnswerAndExit(const std::function<std::vector<uint8_t>()>& work, int out) {
    int status = 0;
    try {
        const std::vector<uint8_t> answer = work();
        std::size_t sent = 0;
        while (sent < answer.size()) {
            const ssize_t n = write(out, answer.data() + sent, answer.size() - sent);
            if (n < 0 && errno == EINTR) {
                continue;
            }
            if (n <= 0) {
                status = 3;
                break;
            }
            sent += static_cast<std::size_t>(n);
        }
    } catch (...) {
        status = 2;
    }
    close(out);
    _exit(status);
}

// Reads until the child closes its end, the deadline passes or the answer grows too large.
// False with why when it did not end by itself.
bool Collect(int in, std::chrono::steady_clock::time_point deadline, std::vector<uint8_t>& answer,
             std::string& why, std::chrono::seconds limit) {
    uint8_t chunk[65536];
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            why = "no answer within " + std::to_string(limit.count()) + " s";
            return false;
        }
        pollfd waiting{in, POLLIN, 0};
        const int ready = poll(&waiting, 1, static_cast<int>(left.count()));
        if (ready < 0 && errno == EINTR) {
            continue;
        }
        if (ready < 0) {
            why = std::string("cannot wait for it: ") + std::strerror(errno);
            return false;
        }
        if (ready == 0) {
            continue;
        }
        const ssize_t n = read(in, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return true;
        }
        if (answer.size() + static_cast<std::size_t>(n) > MAX_ISOLATED_ANSWER_BYTES) {
            why =
                "an answer larger than " + std::to_string(MAX_ISOLATED_ANSWER_BYTES >> 20) + " MB";
            return false;
        }
        answer.insert(answer.end(), chunk, chunk + n);
    }
}

std::string ExitWords(int status) {
    if (WIFSIGNALED(status)) {
        return "signal " + std::to_string(WTERMSIG(status));
    }
    if (WIFEXITED(status)) {
        return "exit status " + std::to_string(WEXITSTATUS(status));
    }
    return "status " + std::to_string(status);
}

int Reap(pid_t child) {
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    return status;
}

}  // namespace

bool RunIsolated(const std::function<std::vector<uint8_t>()>& work, std::chrono::seconds limit,
                 std::vector<uint8_t>& answer, std::string& why) {
    answer.clear();
    int ends[2];
    if (pipe(ends) != 0) {
        why = std::string("cannot open a pipe: ") + std::strerror(errno);
        return false;
    }
    const auto deadline = std::chrono::steady_clock::now() + limit;
    const pid_t child = fork();
    if (child < 0) {
        why = std::string("cannot start a process: ") + std::strerror(errno);
        close(ends[0]);
        close(ends[1]);
        return false;
    }
    if (child == 0) {
        close(ends[0]);
        AnswerAndExit(work, ends[1]);
    }
    close(ends[1]);
    const bool collected = Collect(ends[0], deadline, answer, why, limit);
    close(ends[0]);
    if (!collected) {
        kill(child, SIGKILL);
        Reap(child);
        answer.clear();
        return false;
    }
    const int status = Reap(child);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        why = ExitWords(status);
        answer.clear();
        return false;
    }
    return true;
}

IsolatedRead RunIsolatedRead(const std::function<bool(std::vector<uint8_t>&, std::string&)>& read,
                             std::vector<uint8_t>& result, std::string& reason) {
    // The answer's first byte tells a result (1) from a reason (0).
    const auto work = [&read]() {
        std::vector<uint8_t> body;
        std::string refusal;
        const bool succeeded = read(body, refusal);
        const std::size_t size = succeeded ? body.size() : refusal.size();
        std::vector<uint8_t> answer(1 + size);
        answer[0] = succeeded ? 1 : 0;
        if (size > 0) {
            std::memcpy(answer.data() + 1,
                        succeeded ? body.data() : static_cast<const void*>(refusal.data()), size);
        }
        return answer;
    };
    std::vector<uint8_t> answer;
    if (!RunIsolated(work, ISOLATED_READ_LIMIT, answer, reason)) {
        return IsolatedRead::Stopped;
    }
    if (answer.empty() || answer[0] > 1) {
        reason = "an answer without its first byte";
        return IsolatedRead::Stopped;
    }
    if (answer[0] == 0) {
        reason.assign(answer.begin() + 1, answer.end());
        return IsolatedRead::Refused;
    }
    result.assign(answer.begin() + 1, answer.end());
    return IsolatedRead::Succeeded;
}

Status ReadApart(const std::string& library, const std::string& path,
                 const std::function<bool(std::vector<uint8_t>&, std::string&)>& read,
                 const std::function<bool(std::span<const uint8_t>)>& decode) {
    const std::string name = std::filesystem::path(path).filename().string();
    std::vector<uint8_t> answer;
    std::string reason;
    switch (RunIsolatedRead(read, answer, reason)) {
        case IsolatedRead::Refused:
            return Status::Refuse(reason);
        case IsolatedRead::Stopped:
            return Status::Refuse(library + " stopped while reading '" + name + "' (" + reason +
                                  ")");
        case IsolatedRead::Succeeded:
            break;
    }
    if (!decode(answer)) {
        return Status::Refuse(library + " sent back a damaged answer for '" + name + "'");
    }
    return {};
}

}  // namespace bytes
