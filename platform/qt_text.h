#pragma once

#include <QString>
#include <string_view>

namespace platform {

// The editor's texts are UTF-8; Qt shows them as QString.
inline QString ToQt(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace platform
