#include "editor/io/file_types.h"

#include <cctype>

namespace editor::io {

namespace {

bool EqualIgnoringCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::string BuildFileFilter(std::span<const FileType> types) {
    std::string filter;
    for (const FileType& type : types) {
        filter += type.description;
        filter += "|*";
        filter += type.extension;
        filter += "|";
    }
    return filter + "All Files (*.*)|*.*||";
}

std::string BuildFileFilterWithAll(std::span<const FileType> types, const std::string& allTitle) {
    std::string patterns;
    for (const FileType& type : types) {
        patterns += patterns.empty() ? "*" : ";*";
        patterns += type.extension;
    }
    return allTitle + " (" + patterns + ")|" + patterns + "|" + BuildFileFilter(types);
}

int FileTypeOfPath(std::span<const FileType> types, const std::string& path) {
    const std::size_t dot = path.rfind('.');
    if (dot == std::string::npos) {
        return -1;
    }
    const std::string extension = path.substr(dot);
    for (std::size_t i = 0; i < types.size(); ++i) {
        if (EqualIgnoringCase(extension, types[i].extension)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

}  // namespace editor::io
