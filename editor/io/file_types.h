#pragma once
// Tables of file types chosen by extension, and the dialog filters built from them.

#include <span>
#include <string>

namespace editor::io {

struct FileType {
    const char* extension;  // with its dot
    const char* description;
};

// For each type its description, "|*", its extension and "|", then the all-files entry.
std::string BuildFileFilter(std::span<const FileType> types);

// As BuildFileFilter, led by one entry that lists every type: "<allTitle> (*.a;*.b)|*.a;*.b|".
std::string BuildFileFilterWithAll(std::span<const FileType> types, const std::string& allTitle);

// The position of the type whose extension equals, ignoring case, the text from the last "."
// of the path; -1 when the path has no "." or no type matches.
int FileTypeOfPath(std::span<const FileType> types, const std::string& path);

}  // namespace editor::io
