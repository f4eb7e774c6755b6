#include "bytes/status.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace bytes {

Status Status::Fail(Failure kind, std::string reason, int systemError) {
    Status status;
    status.kind_ = kind;
    status.reason_ = std::move(reason);
    status.systemError_ = systemError;
    return status;
}

std::string ReasonClause(std::string text, std::string_view fallback) {
    while (!text.empty() &&
           (text.back() == '.' || std::isspace(static_cast<unsigned char>(text.back())))) {
        text.pop_back();
    }
    return text.empty() ? std::string(fallback) : text;
}

bool TracesWanted() {
#ifndef NDEBUG
    return true;
#else
    const char* wanted = std::getenv("MARIONET_TRACE");
    return wanted != nullptr && *wanted != '\0' && std::strcmp(wanted, "0") != 0;
#endif
}

const Status& Trace(const Status& status) {
    if (!status.Ok() && TracesWanted()) {
        std::fprintf(stderr, "marionet trace: %s\n", status.Reason().c_str());
    }
    return status;
}

}  // namespace bytes
