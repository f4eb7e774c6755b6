#include "bytes/status.h"

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
